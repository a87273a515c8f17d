#include "closeMessage.h"

void showCloseMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                      const QString &text, const QString &closeText)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    box.addButton(closeText, QMessageBox::RejectRole);
    box.exec();
}
