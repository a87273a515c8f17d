#ifndef CTRANSLATIONS_H
#define CTRANSLATIONS_H

#include <QStringList>

class QCoreApplication;
class QTranslator;

// The program's texts and Qt's own (standard buttons, Qt's dialogs), both in
// the language chosen: Russian unless English was chosen. A Russian
// translation that cannot be found leaves both in English.
class cTranslations
{
public:
    enum language_t { Russian, English };

    // In the stored language.
    static void install(QCoreApplication &app);
    static void install(QCoreApplication &app, language_t language);

    // Kept in the search settings' store, in a group older copies never read.
    static language_t chosenLanguage();
    static void chooseLanguage(language_t language);

    // Where the program's translation is looked for, the first one wins.
    static QStringList programFolders();
    static bool loadProgram(QTranslator &translator, const QStringList &folders);
    static bool loadQt(QTranslator &translator);
};

#endif
