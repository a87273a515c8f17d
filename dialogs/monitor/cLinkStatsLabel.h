#ifndef CLINKSTATSLABEL_H
#define CLINKSTATSLABEL_H

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include "cLinkStats.h"

// The link figures in one line. They change with every poll batch, faster
// than anyone reads them, and each change repaints the label and what lies
// under it: they are shown at most twice a second, always ending on the
// latest. A failure colours the line, so that a bad line shows itself.
class cLinkStatsLabel : public QLabel
{
    Q_OBJECT

public:
    explicit cLinkStatsLabel(QWidget *parent = nullptr);

    void setStats(const cLinkStats &stats);
    // The latest figures, shown or about to be.
    const cLinkStats &stats() const { return m_stats; }

private:
    void showStats();

    cLinkStats m_stats;
    bool m_failing = false;
    QElapsedTimer m_shown;
    QTimer m_later;
};

#endif
