// A race planted in code of our own that crosses threads through a queued
// signal. The ThreadSanitizer run checks that its suppressions, which hide
// Qt's unseen hand-over of queued arguments, still let this one through.
#include <QCoreApplication>
#include <QThread>

constexpr int readings = 1000;

// Written by the receiving thread and read by the sending thread's copy of
// the argument for the queued call (in Qt's meta-type helper, which the old
// suppressions hid), with nothing ordering the two: the planted race.
int g_scale = 1;

struct reading_t
{
    int value = 0;
    reading_t() = default;
    reading_t(const reading_t &other) : value(other.value * g_scale) {}
    reading_t &operator=(const reading_t &) = default;
};

Q_DECLARE_METATYPE(reading_t)

class cReadingSender : public QObject
{
    Q_OBJECT

public:
    void run()
    {
        for (int i = 0; i < readings; ++i)
            emit readingSignal(reading_t());
    }

signals:
    void readingSignal(reading_t reading);
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qRegisterMetaType<reading_t>();
    QThread thread;
    cReadingSender sender;
    sender.moveToThread(&thread);
    int received = 0;
    QObject::connect(&sender, &cReadingSender::readingSignal, &app, [&](reading_t reading) {
        g_scale = reading.value + 1;
        if (++received == readings)
            app.quit();
    }, Qt::QueuedConnection);
    QObject::connect(&thread, &QThread::started, &sender, &cReadingSender::run);
    thread.start();
    app.exec();
    thread.quit();
    thread.wait();
    return 0;
}

#include "tsanPlantedRace.moc"
