#ifndef CVALUEBOX_H
#define CVALUEBOX_H

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>

// A spin box that keeps what the user typed even when it is out of range,
// instead of dropping keystrokes or putting back the old value on leaving:
// whoever takes its value checks hasAcceptableInput() first, so that a value
// the user never saw on screen is never sent.
template <typename Base>
class cValueBox : public Base
{
public:
    using Base::Base;

    QValidator::State validate(QString &text, int &position) const override
    {
        const QValidator::State state = Base::validate(text, position);
        if (state != QValidator::Invalid)
            return state;
        return looksNumeric(text) ? QValidator::Intermediate : QValidator::Invalid;
    }

protected:
    void focusOutEvent(QFocusEvent *event) override
    {
        if (this->hasAcceptableInput())
            return Base::focusOutEvent(event);
        QCoreApplication::sendEvent(this->lineEdit(), event);
        QWidget::focusOutEvent(event);
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && !this->hasAcceptableInput())
            return event->ignore();
        Base::keyPressEvent(event);
    }

private:
    // The box's own prefix and suffix around a sign, digits and one point.
    bool looksNumeric(const QString &text) const
    {
        QString core = text;
        if (core.startsWith(this->prefix()))
            core.remove(0, this->prefix().size());
        if (!this->suffix().isEmpty() && core.endsWith(this->suffix()))
            core.chop(this->suffix().size());
        static const QRegularExpression number(QStringLiteral("^\\s*[-+]?\\d*\\.?\\d*\\s*$"));
        return number.match(core).hasMatch();
    }
};

using cValueSpinBox = cValueBox<QSpinBox>;
using cValueDoubleSpinBox = cValueBox<QDoubleSpinBox>;

#endif
