#ifndef CFRAMEDECODER_H
#define CFRAMEDECODER_H

#include <QCoreApplication>
#include <QString>

// Turns frames and result codes into the lines the traffic monitor shows.
class cFrameDecoder
{
    Q_DECLARE_TR_FUNCTIONS(cFrameDecoder)

public:
    static QString request(const quint8 *frame, int length);
    // What the worker made of a reply: its values, or why it was refused.
    static QString reply(int result, const quint8 *frame, int length);
    static QString hex(const QByteArray &bytes);

private:
    static QString refusal(int result, const quint8 *frame, int length);
};

#endif
