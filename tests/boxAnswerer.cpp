#include "boxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

boxAnswerer::boxAnswerer(QStringList buttons, QObject *parent)
    : QObject(parent)
    , m_buttons(std::move(buttons))
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &boxAnswerer::poll);
    m_timer.start();
}

void boxAnswerer::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    titles << box->windowTitle();
    texts << box->text();
    const QString wanted = m_buttons.isEmpty() ? QString() : m_buttons.takeFirst();
    const QList<QAbstractButton *> buttons = box->buttons();
    for (QAbstractButton *button : buttons) {
        if (wanted.isEmpty() || button->text().remove(QLatin1Char('&')) == wanted) {
            button->click();
            return;
        }
    }
    box->reject();
}
