// Preloaded into a child of benchStartup: once the application exists it
// watches for the first paint of a widget and writes "painted" on standard
// output, so the parent can time the start-up up to the window shown. The
// program measured stays as it ships.

#include <QCoreApplication>
#include <QEvent>
#include <cstdio>

namespace {

class paintWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        std::fputs("painted\n", stdout);
        std::fflush(stdout);
        QCoreApplication::instance()->removeEventFilter(this);
        return false;
    }
};

void watch()
{
    QCoreApplication::instance()->installEventFilter(new paintWatch(QCoreApplication::instance()));
}

// Run by QCoreApplication's constructor, whoever makes the application.
__attribute__((constructor)) void registerWatch()
{
    qAddPreRoutine(watch);
}

} // namespace
