#ifndef BENCHLINE_H
#define BENCHLINE_H

#include <QtGlobal>

// Time on an 8N1 line, for the bounds the benchmarks print.
namespace benchLine {

constexpr double gapCharacters = 3.5;

double wireMs(qint32 baud, double characters);
// The quiet our worker keeps on the line before every request: 3.5
// characters of 11 bits, a fixed 1.75 ms above 19200 baud.
double silenceMs(qint32 baud);
// Request, the module's 3.5-character turn-around and reply, as a simulated
// module replying at line speed takes them.
double exchangeMs(qint32 baud, int requestBytes, int replyBytes);

} // namespace benchLine

#endif
