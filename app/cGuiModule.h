#ifndef CGUIMODULE_H
#define CGUIMODULE_H

#include <QString>
#include <QStringList>

// The window and the report's PDF live in a module of their own, loaded only
// when asked for: the command-line search then never loads Qt Gui or Qt
// Widgets. The module sits beside the program (the build folder, Windows) or
// in ../lib/ztModBusUtility (installed on Linux).
class cGuiModule
{
public:
    // The module's entries: int entry(int *argc, char **argv).
    static constexpr const char *window = "ztGuiWindow";
    static constexpr const char *reportScan = "ztGuiReportScan";
    static constexpr const char *baseName = "ztModBusUtilityGui";

    // Runs an entry of the module; failed, with a message, when it cannot be loaded.
    static int run(const char *entry, int &argc, char **argv, int failed);

    // Where the module is looked for, the first one found wins.
    static QStringList folders(const char *argv0);

private:
    static QString programFile(const char *argv0);
};

#endif
