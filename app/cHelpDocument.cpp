#include "cHelpDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QWidget>
#include <functional>

#include "cDesktopOpener.h"
#include "closeMessage.h"

namespace {

const char *const dataFolder = "ztModBusUtility";

// Opens the path in the desktop's program; failed() gets the window, if it
// is still there, when no program took it.
void openOrElse(QWidget *parent, const QString &path, const std::function<void(QWidget *)> &failed)
{
    QObject *owner = parent ? static_cast<QObject *>(parent) : QCoreApplication::instance();
    auto *opener = new cDesktopOpener(owner);
    const QPointer<QWidget> window(parent);
    QObject::connect(opener, &cDesktopOpener::finished, owner, [window, failed](bool shown) {
        if (!shown)
            failed(window);
    });
    opener->open(path);
}

} // namespace

QString cHelpDocument::fileName()
{
    return QStringLiteral("HELP.pdf");
}

QStringList cHelpDocument::folders()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList found = {QDir::currentPath(), programDir};
    const QStringList shared = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString &folder : shared)
        found << folder + QLatin1Char('/') + QLatin1String(dataFolder);
    // A relocatable install keeps its data beside its bin folder.
    found << QDir::cleanPath(programDir + QStringLiteral("/../share/") + QLatin1String(dataFolder));
    found.removeDuplicates();
    return found;
}

QString cHelpDocument::locate()
{
    return locate(folders());
}

QString cHelpDocument::locate(const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QFileInfo candidate(QDir(folder), fileName());
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return QString();
}

bool cHelpDocument::open(QWidget *parent)
{
    return open(parent, folders());
}

bool cHelpDocument::open(QWidget *parent, const QStringList &folders)
{
    const QString path = locate(folders);
    if (!path.isEmpty()) {
        show(parent, path);
        return true;
    }
    QStringList shown;
    for (const QString &folder : folders)
        shown << QDir::toNativeSeparators(folder);
    const QString text = tr("The help document \"%1\" was not found. It was looked for in these folders:\n%2")
                             .arg(fileName(), shown.join(QLatin1Char('\n')));
    showCloseMessage(parent, QMessageBox::Warning, tr("Help"), text, tr("Close"));
    return false;
}

// A desktop without a PDF viewer otherwise shows nothing at all.
void cHelpDocument::show(QWidget *parent, const QString &path)
{
    openOrElse(parent, path, [path](QWidget *window) { offerFolder(window, path); });
}

void cHelpDocument::offerFolder(QWidget *parent, const QString &path)
{
    const QString text = tr("The help document could not be shown: no program to view PDF files "
                            "could be started. The document is here:\n%1")
                             .arg(QDir::toNativeSeparators(path));
    QMessageBox box(QMessageBox::Warning, tr("Help"), text, QMessageBox::NoButton, parent);
    QPushButton *folderButton = box.addButton(tr("Open Folder"), QMessageBox::AcceptRole);
    box.addButton(tr("Close"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() != folderButton)
        return;
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    openOrElse(parent, QFileInfo(path).absolutePath(), [folder](QWidget *window) {
        showCloseMessage(window, QMessageBox::Warning, tr("Help"),
                         tr("The folder %1 could not be opened either.").arg(folder), tr("Close"));
    });
}
