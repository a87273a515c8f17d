#ifndef CTRANSLATIONS_H
#define CTRANSLATIONS_H

#include <QStringList>

class QCoreApplication;
class QTranslator;

// The Russian texts: the program's own and Qt's (standard buttons, Qt's
// dialogs). A translation that cannot be found leaves its texts in English.
class cTranslations
{
public:
    static void install(QCoreApplication &app);

    // Where the program's translation is looked for, the first one wins.
    static QStringList programFolders();
    static bool loadProgram(QTranslator &translator, const QStringList &folders);
    static bool loadQt(QTranslator &translator);
};

#endif
