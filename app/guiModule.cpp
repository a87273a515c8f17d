#include <QApplication>

#include "cGuiReportKit.h"
#include "cHeadlessScan.h"
#include "cTranslations.h"
#include "mainClass.h"

// The entries cGuiModule looks up; argc outlives the application, as Qt wants.
extern "C" Q_DECL_EXPORT int ztGuiWindow(int *argc, char **argv)
{
    QApplication app(*argc, argv);
    cTranslations::install(app);
    mainClass window;
    window.show();
    return app.exec();
}

extern "C" Q_DECL_EXPORT int ztGuiReportScan(int *argc, char **argv)
{
    cGuiReportKit kit;
    return cHeadlessScan::runWithReport(*argc, argv, kit);
}
