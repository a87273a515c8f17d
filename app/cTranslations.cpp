#include "cTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QTranslator>

#include "cSrchSettingsStore.h"
#include "qtCompat.h"

namespace {

// Whole file names: QTranslator's fall-backs would try the program's binary.
const char *const programCatalog = "ztModBusUtility_ru.qm";
const char *const qtCatalog = "qtbase_ru.qm";
const char *const languageKey = "cfgLanguage/language";
const char *const englishCode = "en";
const char *const russianCode = "ru";

bool loadFrom(QTranslator &translator, const QString &folder, const char *catalog)
{
    return translator.load(QDir(folder).filePath(QLatin1String(catalog)));
}

} // namespace

void cTranslations::install(QCoreApplication &app)
{
    install(app, chosenLanguage());
}

// The sources are English: English installs nothing, so that Qt's texts are
// not left Russian beside the program's.
void cTranslations::install(QCoreApplication &app, language_t language)
{
    if (language == English)
        return;
    // Parented to the application, so they live as long as it does.
    auto *program = new QTranslator(&app);
    if (!loadProgram(*program, programFolders())) {
        delete program;
        return;
    }
    auto *qt = new QTranslator(&app);
    if (loadQt(*qt))
        app.installTranslator(qt);
    app.installTranslator(program);
}

cTranslations::language_t cTranslations::chosenLanguage()
{
    const QSettings store{QLatin1String(cSrchSettingsStore::organisation),
                          QLatin1String(cSrchSettingsStore::application)};
    cSrchSettingsStore::noteDamage(store);
    return store.value(QLatin1String(languageKey)).toString() == QLatin1String(englishCode) ? English : Russian;
}

void cTranslations::chooseLanguage(language_t language)
{
    QSettings store{QLatin1String(cSrchSettingsStore::organisation), QLatin1String(cSrchSettingsStore::application)};
    store.setValue(QLatin1String(languageKey),
                   QLatin1String(language == English ? englishCode : russianCode));
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
