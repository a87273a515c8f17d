#ifndef CMODULECONFIG_H
#define CMODULECONFIG_H

#include <QCoreApplication>
#include <QDate>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QVector>

#include "configParam_t.h"

// The whole configuration of one VRD-3310: its identity and every parameter
// its dialog can set, never its calibration. A value record built from the
// registers a read returned (or from a file) and turned back into register
// values to write; registers are kept in the form they are written.
class cModuleConfig
{
    Q_DECLARE_TR_FUNCTIONS(cModuleConfig)

public:
    static constexpr quint16 moduleType = 3310;
    static constexpr quint16 pt100Variant = 2;
    static constexpr quint16 regAddress = 1582;
    static constexpr quint16 regLineConfig = 1583;
    static constexpr quint16 regCommand = 1586;
    static constexpr quint16 commandTakeLine = 4;

    // Every settable parameter, in the order a file and a table list them.
    static QList<configParam_t> parameters();
    // The register blocks a read of the whole configuration needs.
    static QList<configBlock_t> readBlocks();
    // The blocks that show a parameter again after it was written.
    static QList<configBlock_t> readBackBlocks(const configParam_t &param);

    // Takes what a read of one of readBlocks() returned.
    void takeRead(const configBlock_t &block, const QVector<quint16> &values);
    bool isComplete() const;

    quint16 type() const { return m_type; }
    quint16 variant() const { return m_variant; }
    quint16 firmware() const { return m_firmware; }
    QDate firmwareDate() const { return m_firmwareDate; }
    void setIdentity(quint16 type, quint16 variant, quint16 firmware, const QDate &date);
    bool isPt100() const { return m_variant == pt100Variant; }
    // "2.05.09", as the dialog shows it after its "v".
    static QString firmwareText(quint16 firmware);
    static bool firmwareFromText(const QString &text, quint16 *firmware);
    QString typeText() const;
    QString variantText() const;

    // A parameter's value: the bits of its register moved down, a float's
    // pattern (low half first, as the module holds it) or an identifier.
    quint64 value(const configParam_t &param) const;
    void setValue(const configParam_t &param, quint64 value);
    bool hasValue(const configParam_t &param) const;
    QString text(const configParam_t &param) const;
    QVector<quint16> registers(quint16 reg, quint16 count) const;

    // Identity first, then every parameter: (name, value text), for display.
    QList<configRow_t> rows() const;

    static float floatFromPattern(quint32 pattern);
    static quint32 patternFromFloat(float value);

private:
    quint16 m_type = 0;
    quint16 m_variant = 0;
    quint16 m_firmware = 0;
    QDate m_firmwareDate;
    QMap<quint16, quint16> m_regs;
    // The dialog's safe reset lives in this program, not in the module: only
    // a configuration taken from the dialog has it.
    bool m_hasSafeReset = false;
    bool m_safeReset = false;
};

Q_DECLARE_METATYPE(cModuleConfig)

#endif
