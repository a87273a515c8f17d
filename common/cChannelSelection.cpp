#include "cChannelSelection.h"

#include <QTableWidget>

#include "closeMessage.h"

int cChannelSelection::selectedRow(const QTableWidget *table, QWidget *messageParent)
{
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    if (selected.isEmpty()) {
        showCloseMessage(messageParent, QMessageBox::Critical, tr("Operation not posible"),
                         tr("You must select a channel for editing."), tr("Close"));
        return -1;
    }
    const QTableWidgetItem *first = selected.first();
    return first ? first->row() : -1;
}

int cChannelSelection::currentRow(const QTableWidget *table)
{
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    return selected.isEmpty() || !selected.first() ? -1 : selected.first()->row();
}
