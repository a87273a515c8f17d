#ifndef CTRAFFICTABLE_H
#define CTRAFFICTABLE_H

#include <QTableWidget>

class cTrafficDelegate;

// The monitor's table. Rows come only at the end, a few times a second: the
// rows already drawn stay where they are, so only the new ones are painted
// rather than the whole view. The grid looks as Qt's own but is filled in
// rectangles, where Qt sets its lines pixel by pixel.
class cTrafficTable : public QTableWidget
{
    Q_OBJECT

public:
    cTrafficTable(int rows, int columns, QWidget *parent = nullptr);

    // What a cell needs for this text, from the layout that draws it.
    int textWidth(const QString &text) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void rowsCounted(int oldCount, int newCount);
    int rowBottom(int row) const;
    QColor gridColor() const;

    cTrafficDelegate *m_cells;
};

#endif
