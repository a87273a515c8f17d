#include "cGuiModule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QStandardPaths>
#include <cstdio>

namespace {

using entry_t = int (*)(int *argc, char **argv);

} // namespace

int cGuiModule::run(const char *entry, int &argc, char **argv, int failed)
{
    QLibrary module;
    QString error;
    for (const QString &folder : folders(argv[0])) {
        module.setFileName(QDir(folder).filePath(QLatin1String(baseName)));
        if (module.load())
            break;
        error = module.errorString();
    }
    const auto function = entry_t(module.resolve(entry));
    if (!function) {
        std::fprintf(stderr, "ztModBusUtility: the module %s cannot be loaded: %s\n", baseName,
                     qUtf8Printable(module.isLoaded() ? module.errorString() : error));
        return failed;
    }
    return function(&argc, argv);
}

QStringList cGuiModule::folders(const char *argv0)
{
    const QString programDir = QFileInfo(programFile(argv0)).absolutePath();
    return {programDir, QDir::cleanPath(programDir + QStringLiteral("/../lib/ztModBusUtility"))};
}

// QCoreApplication::applicationFilePath() needs the application object,
// which the module makes: Linux names the running program in /proc, other
// systems get it from the command line as Qt itself does.
QString cGuiModule::programFile(const char *argv0)
{
    const QFileInfo running(QStringLiteral("/proc/self/exe"));
    if (running.exists())
        return running.canonicalFilePath();
    const QString name = QFile::decodeName(argv0);
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QFileInfo(name).absoluteFilePath();
    return QStandardPaths::findExecutable(name);
}
