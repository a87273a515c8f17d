#include "mTableWidgetItem.h"

mTableWidgetItem::mTableWidgetItem(const QString &text)
    : QTableWidgetItem(text)
{
}

QTableWidgetItem *mTableWidgetItem::clone() const
{
    return new mTableWidgetItem(*this);
}
