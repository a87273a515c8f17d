#ifndef CHELPDOCUMENT_H
#define CHELPDOCUMENT_H

#include <QCoreApplication>
#include <QStringList>

class QWidget;

// The user guide, HELP.pdf: where it is looked for and how it is shown.
class cHelpDocument
{
    Q_DECLARE_TR_FUNCTIONS(cHelpDocument)

public:
    static QString fileName();
    // In order: the current folder, the program's folder, the installed data folders.
    static QStringList folders();
    // The absolute path of the guide in the first folder that has it, or empty.
    static QString locate();
    static QString locate(const QStringList &folders);
    // Shows the guide in the desktop's viewer, or says where it was looked
    // for; when no viewer starts, says where the guide is (later, when the
    // desktop has answered).
    static bool open(QWidget *parent);
    static bool open(QWidget *parent, const QStringList &folders);

private:
    static void show(QWidget *parent, const QString &path);
    static void offerFolder(QWidget *parent, const QString &path);
};

#endif
