#ifndef CCHANNELREADINGS_H
#define CCHANNELREADINGS_H

#include <QCoreApplication>

#include "cModBusFunctions.h"
#include "cServiceReport.h"
#include "configParam_t.h"

// The live values of a VRD-3310's channels, with units, and the calibration
// verdicts, as report tables, from the channel registers read in one job.
class cChannelReadings
{
    Q_DECLARE_TR_FUNCTIONS(cChannelReadings)

public:
    // What to read, in this order; read-only.
    static QList<configBlock_t> readBlocks();

    // A job's answers to readBlocks(): the first done of them arrived.
    void take(const QList<QVector<quint16>> &values, int done);
    bool complete() const { return m_done >= readBlocks().size(); }
    // Only the kinds whose every block arrived.
    QList<cServiceReport::table_t> tables() const;

private:
    cServiceReport::table_t ptTable() const;
    cServiceReport::table_t aiTable() const;
    cServiceReport::table_t aoTable() const;
    cServiceReport::table_t owTable() const;
    QString verdict(quint16 statusReg) const;
    QString number(quint16 floatReg) const;

    cModBusFunctions m_image;
    int m_done = 0;
};

#endif
