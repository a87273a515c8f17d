#ifndef CTRAFFICDELEGATE_H
#define CTRAFFICDELEGATE_H

#include <QFont>
#include <QHash>
#include <QSharedPointer>
#include <QStyledItemDelegate>

class QTextLayout;

// Draws the monitor's cells as the style does, but each text is laid out
// once and kept: a poll repeats the same requests and replies, and laying
// text out is most of what drawing a row costs. The same layouts give the
// widths the columns are fitted to.
class cTrafficDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    int textWidth(const QString &text, const QFont &font) const;

private:
    const QTextLayout &laidOut(const QString &text, const QFont &font) const;

    mutable QHash<QString, QSharedPointer<QTextLayout>> m_texts;
    mutable QFont m_font;
};

#endif
