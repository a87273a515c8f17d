#ifndef CLOSEMESSAGE_H
#define CLOSEMESSAGE_H

#include <QMessageBox>

// The program's one-line modal message with a single "Close" button.
void showCloseMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                      const QString &text, const QString &closeText);

#endif
