#ifndef SIMFAULT_H
#define SIMFAULT_H

#include <QString>

// How a simulated module misbehaves on the line. NoReply and Exception leave
// the request unexecuted (the module is deaf or failing); the others execute
// it and spoil only the reply.
enum class simFault {
    None,
    NoReply,
    BadCrc,          // reply with its last CRC byte inverted
    WrongAddress,    // reply from address + 1 (247 wraps to 1), correct CRC
    WrongFunction,   // reply with another function code, correct CRC
    WrongCount,      // wrong byte count (reads) or echo (writes, echoes), correct CRC
    Exception,       // exception 4 instead of the normal reply
    Split,           // reply written in three pieces a few ms apart
    TrailingGarbage, // reply plus three extra bytes, in one write
    LateReply,       // reply after the late-reply delay (past the master's time-out)
    SlowBytes,       // one byte at a time, about 1 ms apart
    Noise,           // random bytes for 50 ms instead of the reply
};

struct simFaultName_t
{
    simFault fault;
    const char *name;
};

constexpr simFaultName_t simFaultNames[] = {
    {simFault::None, "none"},
    {simFault::NoReply, "noreply"},
    {simFault::BadCrc, "badcrc"},
    {simFault::WrongAddress, "wrongaddress"},
    {simFault::WrongFunction, "wrongfunction"},
    {simFault::WrongCount, "wrongcount"},
    {simFault::Exception, "exception"},
    {simFault::Split, "split"},
    {simFault::TrailingGarbage, "trailinggarbage"},
    {simFault::LateReply, "latereply"},
    {simFault::SlowBytes, "slowbytes"},
    {simFault::Noise, "noise"},
};

// Case-insensitive; false when the name is unknown.
inline bool simFaultFromName(const QString &name, simFault *fault)
{
    for (const simFaultName_t &entry : simFaultNames) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            *fault = entry.fault;
            return true;
        }
    }
    return false;
}

#endif
