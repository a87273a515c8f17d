#include "cHelpDocument.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include "closeMessage.h"

namespace {

const char *const dataFolder = "ztModBusUtility";

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
    if (!path.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    QStringList shown;
    for (const QString &folder : folders)
        shown << QDir::toNativeSeparators(folder);
    const QString text = tr("The help document \"%1\" was not found. It was looked for in these folders:\n%2")
                             .arg(fileName(), shown.join(QLatin1Char('\n')));
    showCloseMessage(parent, QMessageBox::Warning, tr("Help"), text, tr("Close"));
    return false;
}
