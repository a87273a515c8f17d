#include "cTrafficDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>

namespace {

// Enough for a few polls' distinct texts; times and changing values are new
// each frame, so the whole set is dropped now and then rather than sorted by use.
constexpr int keptTexts = 1024;

QColor textColor(const QStyleOptionViewItem &cell)
{
    QPalette::ColorGroup group = cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(cell.state & QStyle::State_Active))
        group = QPalette::Inactive;
    return cell.palette.color(group, cell.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
}

} // namespace

// One line, unwrapped, its glyphs kept for drawing.
const QTextLayout &cTrafficDelegate::laidOut(const QString &text, const QFont &font) const
{
    if (font != m_font || m_texts.size() >= keptTexts) {
        m_texts.clear();
        m_font = font;
    }
    const auto found = m_texts.constFind(text);
    if (found != m_texts.constEnd())
        return **found;
    auto layout = QSharedPointer<QTextLayout>::create(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    layout->createLine();
    layout->endLayout();
    return **m_texts.insert(text, layout);
}

int cTrafficDelegate::textWidth(const QString &text, const QFont &font) const
{
    return qCeil(laidOut(text, font).lineAt(0).naturalTextWidth());
}

// The style draws the cell without its text, which goes where the style would put it.
void cTrafficDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    cell.text.clear();
    cell.features &= ~QStyleOptionViewItem::HasDisplay;
    const QWidget *widget = cell.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    if (text.isEmpty())
        return;
    const QTextLayout &laid = laidOut(text, cell.font);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = cell.rect.adjusted(margin, 0, -margin, 0);
    const QSize size(1, qRound(laid.boundingRect().height()));
    QPointF at(area.left(), QStyle::alignedRect(cell.direction, Qt::AlignVCenter, size, area).top());
    if (QStyle::visualAlignment(cell.direction, cell.displayAlignment) & Qt::AlignRight)
        at.rx() += area.width() - laid.lineAt(0).naturalTextWidth();
    painter->save();
    painter->setClipRect(cell.rect);
    painter->setPen(textColor(cell));
    laid.draw(painter, at);
    painter->restore();
}
