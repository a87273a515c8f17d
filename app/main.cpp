#include <QApplication>
#include <QTranslator>

#include "mainClass.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTranslator translator;
    // A missing translation leaves the English texts.
    translator.load(QStringLiteral("ztModBusUtility_") + QStringLiteral("ru"), QString());
    app.installTranslator(&translator);
    mainClass window;
    window.show();
    return app.exec();
}
