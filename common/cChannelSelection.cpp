#include "cChannelSelection.h"

#include <QTableWidget>

#include "closeMessage.h"

int cChannelSelection::selectedRow(const QTableWidget *table, QWidget *messageParent)
{
    if (table->selectedItems().isEmpty()) {
        showCloseMessage(messageParent, QMessageBox::Critical, tr("Operation not posible"),
                         tr("You must select a channel for editing."), tr("Close"));
        return -1;
    }
    return currentRow(table);
}

int cChannelSelection::currentRow(const QTableWidget *table)
{
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    return selected.isEmpty() || !selected.first() ? -1 : selected.first()->row();
}
