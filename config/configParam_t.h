#ifndef CONFIGPARAM_T_H
#define CONFIGPARAM_T_H

#include <QString>
#include <QStringList>

// How a parameter's value is written in a file and shown.
enum class configKind_t {
    Number,   // an integer within minimum..maximum
    Baud,     // bits per second, from the configuration word's index
    Format,   // "8N1", "8N2", "8E1", "8O1"
    Choice,   // a name of names (a mode)
    Flag,     // true or false; names[0] false, names[1] true
    Volts,    // a 32-bit float, 0 to 10
    SensorId, // a 64-bit 1-Wire ROM identifier, "0x" and hexadecimal digits
};

// What a parameter belongs to, for deciding what an apply may touch.
enum class configScope_t {
    Shared,   // the same on every module of a commissioning
    Line,     // address and line settings: one module's own
    SensorId, // the sensor bound to a channel: one module's own
    PtSensor, // depends on the module's Pt100 or Pt1000 build
    Program,  // a setting of this program's dialog, not of the module
};

// One settable parameter of a VRD-3310 and where it lives. Registers are
// given in the form they are written: the 1-Wire identifiers in their bind
// registers, most significant word first.
struct configParam_t
{
    QString key;  // as in the file, e.g. "do[3].mode"
    QString name; // as shown, translated
    quint16 reg = 0;
    quint16 count = 1;
    quint16 bits = 0xFFFF; // the bits of a one-register parameter
    configKind_t kind = configKind_t::Number;
    QStringList names; // English, as in the file
    int minimum = 0;
    int maximum = 65535;
    configScope_t scope = configScope_t::Shared;
    QString unit;
};

// One parameter as shown to the user: its file key, its name, its value.
struct configRow_t
{
    QString key;
    QString name;
    QString text;
};

// One register block of a configuration read: function 3 or 4.
struct configBlock_t
{
    quint16 function = 3;
    quint16 startReg = 0;
    quint16 count = 0;
};

#endif
