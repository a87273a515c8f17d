#include "cTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include "qtCompat.h"

namespace {

// Whole file names: QTranslator's fall-backs would try the program's binary.
const char *const programCatalog = "ztModBusUtility_ru.qm";
const char *const qtCatalog = "qtbase_ru.qm";

bool loadFrom(QTranslator &translator, const QString &folder, const char *catalog)
{
    return translator.load(QDir(folder).filePath(QLatin1String(catalog)));
}

} // namespace

void cTranslations::install(QCoreApplication &app)
{
    // Parented to the application, so they live as long as it does.
    auto *qt = new QTranslator(&app);
    if (loadQt(*qt))
        app.installTranslator(qt);
    auto *program = new QTranslator(&app);
    if (loadProgram(*program, programFolders()))
        app.installTranslator(program);
}

// The working directory first, as a developer runs the program from the
// build folder; then beside the program; then the installed data folder.
QStringList cTranslations::programFolders()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    return {QDir::currentPath(), programDir,
            QDir::cleanPath(programDir + QStringLiteral("/../share/ztModBusUtility/translations"))};
}

bool cTranslations::loadProgram(QTranslator &translator, const QStringList &folders)
{
    for (const QString &folder : folders) {
        if (loadFrom(translator, folder, programCatalog))
            return true;
    }
    return false;
}

bool cTranslations::loadQt(QTranslator &translator)
{
    return loadFrom(translator, qtCompat::translationsPath(), qtCatalog);
}
