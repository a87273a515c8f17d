#include "cCalibrPanel.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr quint16 firstVerdict = 8;  // save error
constexpr quint16 lastVerdict = 12;  // successful
constexpr int successIndex = 5;

} // namespace

cCalibrPanel::cCalibrPanel(calibrPanelDesc_t desc, const QPixmap &ok, const QPixmap &err,
                           const QPixmap &wait)
    : m_desc(std::move(desc))
    , m_pixOk(ok)
    , m_pixErr(err)
    , m_pixWait(wait)
{
    showProgress();
}

int cCalibrPanel::statusIndex(quint16 status)
{
    if (status < firstVerdict || status > lastVerdict)
        return 0;
    return status - firstVerdict + 1;
}

QString cCalibrPanel::verdictOf(quint16 status, const QStringList &statusTexts)
{
    const int index = statusIndex(status);
    return index == 0 ? tr("No verdict") : statusTexts.value(index);
}

void cCalibrPanel::refresh(quint8 mode, quint16 status)
{
    if (mode != m_desc.calibrMode) {
        m_desc.group->setEnabled(false);
        m_armed = false;
        return;
    }
    m_desc.group->setEnabled(true);
    if (!m_armed) {
        m_state = NoPoint;
        m_armed = true;
        enableOnly(LowPoint);
    }
    if (m_state == Executed)
        return showStatus(status);
    showProgress();
}

// Nothing is under way until the first point is taken.
void cCalibrPanel::showProgress()
{
    const bool started = m_state != NoPoint;
    m_desc.statusText->setText(started ? m_desc.statusTexts.value(0) : tr("Not started"));
    m_desc.statusLed->setPixmap(started ? m_pixWait : QPixmap());
}

void cCalibrPanel::answer(quint8 tag, bool ok)
{
    if (!ok)
        return;
    if (tag == m_desc.tags[LowPoint]) {
        m_state = LowTaken;
        enableOnly(HighPoint);
        showProgress();
    } else if (tag == m_desc.tags[HighPoint]) {
        enableOnly(Execute);
    } else if (tag == m_desc.tags[Execute]) {
        m_state = Executed;
        enableOnly(LowPoint);
    }
}

void cCalibrPanel::enableOnly(int step)
{
    for (int i = 0; i < int(m_desc.buttons.size()); ++i)
        m_desc.buttons[i]->setEnabled(i == step);
}

void cCalibrPanel::showStatus(quint16 status)
{
    const int index = statusIndex(status);
    m_desc.statusText->setText(m_desc.statusTexts.value(index));
    if (index == 0)
        return;
    m_desc.statusLed->setPixmap(index == successIndex ? m_pixOk : m_pixErr);
}
