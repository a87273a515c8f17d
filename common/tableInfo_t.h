#ifndef TABLEINFO_T_H
#define TABLEINFO_T_H

#include <QStringList>

class QTableWidget;

// One table of the module dialog: how many rows it gets, how many columns the
// layout gave it and the text of column 0 per row.
struct tableInfo_t
{
    QTableWidget *table = nullptr;
    int rowCount = 0;
    int columnCount = 0;
    QStringList rowLabels;
};

#endif
