#include "cLinkStatsLabel.h"

namespace {

constexpr qint64 shownEveryMs = 500;

} // namespace

cLinkStatsLabel::cLinkStatsLabel(QWidget *parent)
    : QLabel(parent)
{
    setToolTip(cLinkStats::legend());
    m_later.setSingleShot(true);
    connect(&m_later, &QTimer::timeout, this, &cLinkStatsLabel::showStats);
    showStats();
}

void cLinkStatsLabel::setStats(const cLinkStats &stats)
{
    m_stats = stats;
    if (m_later.isActive())
        return;
    const qint64 since = m_shown.elapsed();
    if (since >= shownEveryMs)
        showStats();
    else
        m_later.start(int(shownEveryMs - since));
}

void cLinkStatsLabel::showStats()
{
    const bool failing = m_stats.failures() > 0;
    if (failing != m_failing)
        setStyleSheet(failing ? QStringLiteral("color: #b00000;") : QString());
    m_failing = failing;
    setText(m_stats.summary());
    m_shown.start();
}
