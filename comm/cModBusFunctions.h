#ifndef CMODBUSFUNCTIONS_H
#define CMODBUSFUNCTIONS_H

#include <mutex>
#include <QObject>
#include <QVector>

#include "modbusTypes.h"

// ModBus RTU frames (stateless) and the register image of one module.
// The image is shared by the GUI thread (module dialog) and the worker thread
// (transactions), so every access goes through the lock.
class cModBusFunctions : public QObject
{
    Q_OBJECT

public:
    static constexpr int registerCount = 3200;
    static constexpr int frameSize = 300;
    static constexpr int maxRegisters = 128;
    // What one frame can carry: a read reply's and a write request's byte
    // count is one byte.
    static constexpr int maxReadRegisters = 125;
    static constexpr int maxWriteRegisters = 123;

    explicit cModBusFunctions(QObject *parent = nullptr);

    static quint16 calcCrc16(const quint8 *bytes, int length);
    static int makeRequestFrame(const query_info_t &query, quint8 *frame, const quint16 *values,
                                int &requestLength, int &replyLength);
    // How long the reply that starts with these bytes will be: an exception
    // reply is shorter than the normal one.
    static int replyLengthSoFar(const quint8 *frame, int receivedLength, int normalLength);
    static int parseScanReply(const query_info_t &query, const quint8 *frame, quint16 &value,
                              int expectedLength, int receivedLength);
    static int parseModuleReply(const query_info_t &query, const quint8 *frame, quint16 *values,
                                int expectedLength, int receivedLength);
    static quint32 reorderBytes32(quint32 value, int order);
    static bool fitsImage(quint16 startReg, int count);
    static bool countFits(const query_info_t &query);

    quint16 getRegister(quint16 reg) const;
    void setRegister(quint16 reg, quint16 value);
    double getFloat(quint16 reg) const;
    void setFloat(quint16 reg, double value);
    qint32 getInt32(quint16 reg) const;
    void setInt32(quint16 reg, qint32 value);

    // Block copies used by the worker, each under one lock.
    QVector<quint16> registers(quint16 startReg, int count) const;
    void storeRegisters(quint16 startReg, const quint16 *values, int count);

private:
    quint32 pair(quint16 reg) const;
    void setPair(quint16 reg, quint32 value);
    static int checkReply(const query_info_t &query, const quint8 *frame, int expectedLength,
                          int receivedLength);
    static int checkEcho(const query_info_t &query, const quint8 *frame);

    mutable std::mutex m_lock;
    quint16 m_image[registerCount];
};

#endif
