#ifndef CCHANNELSELECTION_H
#define CCHANNELSELECTION_H

#include <QCoreApplication>

class QTableWidget;
class QWidget;

// Every operation on one row of a table first needs a selected row.
class cChannelSelection
{
    Q_DECLARE_TR_FUNCTIONS(cChannelSelection)

public:
    // The row of the first selected item, or -1 after telling the user (when
    // nothing is selected) or quietly (when the first selected item is gone).
    static int selectedRow(const QTableWidget *table, QWidget *messageParent);
    // The same row without telling anyone; -1 when none.
    static int currentRow(const QTableWidget *table);
};

#endif
