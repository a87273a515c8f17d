#include <QApplication>

#include "cHeadlessScan.h"
#include "cTranslations.h"
#include "mainClass.h"

int main(int argc, char *argv[])
{
    // The command-line search runs without a display: no QApplication for it.
    if (cHeadlessScan::requested(argc, argv))
        return cHeadlessScan::run(argc, argv);
    QApplication app(argc, argv);
    cTranslations::install(app);
    mainClass window;
    window.show();
    return app.exec();
}
