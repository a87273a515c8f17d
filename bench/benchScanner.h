#ifndef BENCHSCANNER_H
#define BENCHSCANNER_H

#include <QObject>
#include <QThread>

#include "cModBusFunctions.h"
#include "cUart.h"

// Our worker in its own thread, driven by queued signals as the main window
// drives it, running whole scans and timing each one to its last progress
// report.
class benchScanner : public QObject
{
    Q_OBJECT

public:
    struct run_t
    {
        int combinations = 0;
        int found = 0;
        bool ended = false;
        qint64 elapsedNs = 0;
        // Combinations where nothing answered, each timed from its start to the
        // next one's; one right after an answer is left out, as its probe first
        // waits the line silence that answer's end owes.
        int silent = 0;
        qint64 silentNs = 0;

        double msPerCombination() const
        {
            return combinations > 0 ? double(elapsedNs) / 1e6 / combinations : -1.0;
        }
        double msPerSilent() const
        {
            return silent > 0 ? double(silentNs) / 1e6 / silent : -1.0;
        }
    };

    benchScanner();
    ~benchScanner() override;

    // The scan takes the port name and the reply time-out from these settings.
    bool open(const QString &port, quint16 timeoutMs);
    run_t scan(const scanRequest_t &request, int limitMs);

signals:
    void settingsRequested(settingsUart_t settings);
    void connectRequested();
    void scanRequested(scanRequest_t request);

private:
    cModBusFunctions m_image;
    QThread m_thread;
    cUart *m_worker;
};

#endif
