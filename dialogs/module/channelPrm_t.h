#ifndef CHANNELPRM_T_H
#define CHANNELPRM_T_H

#include <QMetaType>
#include <QtGlobal>

// Row records of the channel tables, kept in each row's column-0 item and
// replaced on every refresh; a clicked row loads its edit widgets from them.

struct diPrm_t
{
    quint8 channel = 0;
    quint8 mode = 0;
};

struct doPrm_t
{
    quint8 channel = 0;
    quint8 mode = 0;
    quint8 normalState = 0;
    quint8 safetyMode = 0;
    quint8 safetyLevel = 0;
};

struct aiPrm_t
{
    quint8 channel = 0;
    float value = 0;
    quint8 mode = 0;
};

struct aoPrm_t
{
    quint8 channel = 0;
    quint8 mode = 0;
    quint8 safetyState = 0;
    float safetyValue = 0;
    float level = 0;
};

struct ptPrm_t
{
    quint8 channel = 0;
    float value = 0;
    quint16 sensor = 0;
    quint8 mode = 0;
};

struct owPrm_t
{
    quint8 channel = 0;
    quint8 pollMode = 0;
    float temperature = 0;
    quint64 identifier = 0;
};

Q_DECLARE_METATYPE(diPrm_t)
Q_DECLARE_METATYPE(doPrm_t)
Q_DECLARE_METATYPE(aiPrm_t)
Q_DECLARE_METATYPE(aoPrm_t)
Q_DECLARE_METATYPE(ptPrm_t)
Q_DECLARE_METATYPE(owPrm_t)

#endif
