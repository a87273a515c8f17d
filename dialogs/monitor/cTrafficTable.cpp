#include "cTrafficTable.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>

#include "cTrafficDelegate.h"

cTrafficTable::cTrafficTable(int rows, int columns, QWidget *parent)
    : QTableWidget(rows, columns, parent)
    , m_cells(new cTrafficDelegate(this))
{
    setItemDelegate(m_cells);
    // The view would lay itself out and paint all it shows for each change.
    disconnect(verticalHeader(), &QHeaderView::sectionCountChanged, this, nullptr);
    connect(verticalHeader(), &QHeaderView::sectionCountChanged, this, &cTrafficTable::rowsCounted);
    // The grid keeps its room in the cells; paintEvent draws it.
    setGridStyle(Qt::NoPen);
}

void cTrafficTable::rowsCounted(int oldCount, int newCount)
{
    // Removed rows move all the others.
    if (newCount <= oldCount || !isVisible())
        return rowCountChanged(oldCount, newCount);
    updateGeometries();
    const int top = oldCount == 0 ? 0 : rowBottom(oldCount - 1);
    viewport()->update(0, top, viewport()->width(), rowBottom(newCount - 1) - top);
}

int cTrafficTable::textWidth(const QString &text) const
{
    return m_cells->textWidth(text, font());
}

int cTrafficTable::rowBottom(int row) const
{
    return rowViewportPosition(row) + rowHeight(row);
}

QColor cTrafficTable::gridColor() const
{
    QStyleOptionViewItem option;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    initViewItemOption(&option);
#else
    option = viewOptions();
#endif
    return QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
}

// Where QTableView draws its grid: below each shown row up to the last
// column, right of each column down to the last row.
void cTrafficTable::paintEvent(QPaintEvent *event)
{
    QTableWidget::paintEvent(event);
    const QRect area = event->rect();
    const int rowsEnd = verticalHeader()->length() - verticalHeader()->offset();
    if (rowCount() == 0 || area.top() >= rowsEnd)
        return;
    QPainter painter(viewport());
    const QColor color = gridColor();
    const int width = qMin(area.right() + 1, horizontalHeader()->length() - horizontalHeader()->offset()) - area.left();
    for (int row = rowAt(area.top()); width > 0 && row < rowCount() && rowViewportPosition(row) <= area.bottom(); ++row)
        if (!isRowHidden(row))
            painter.fillRect(area.left(), rowBottom(row) - 1, width, 1, color);
    const int height = qMin(area.bottom() + 1, rowsEnd) - area.top();
    for (int column = 0; column < columnCount(); ++column)
        painter.fillRect(columnViewportPosition(column) + columnWidth(column) - 1, area.top(), 1, height, color);
}
