#ifndef BUSJOB_T_H
#define BUSJOB_T_H

#include <QList>
#include <QMetaType>
#include <QVector>

#include "modbusTypes.h"

// Reads and writes for one module that carry their values both ways, so
// that the answer goes back to whoever asked, by its id, and nothing is
// taken from or left in the shared register image.
struct busJob_t
{
    quint32 id = 0;
    QList<query_info_t> requests;
    // Per request: a write's values going out; a read's values coming back.
    QList<QVector<quint16>> values;
    int result = MB_OK;
    int done = 0; // requests that succeeded, from the first on
};

Q_DECLARE_METATYPE(busJob_t)

#endif
