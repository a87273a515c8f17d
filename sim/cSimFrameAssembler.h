#ifndef CSIMFRAMEASSEMBLER_H
#define CSIMFRAMEASSEMBLER_H

#include <QtGlobal>
#include <chrono>
#include <cstddef>
#include <vector>

// Cuts the byte stream a slave receives into RTU request frames. The length
// of a request follows from its function code; the bytes of any other
// function form a frame once the line falls silent.
class cSimFrameAssembler
{
public:
    void append(const quint8 *data, std::size_t length);
    bool takeFrame(std::vector<quint8> &frame);
    // A known function's incomplete frame is dropped after the silence.
    bool takeOnSilence(std::vector<quint8> &frame);
    std::chrono::milliseconds silenceGap() const;
    bool empty() const { return m_buffer.empty(); }
    void clear() { m_buffer.clear(); }

private:
    bool knownFunction() const;
    std::size_t expectedLength() const; // 0 while not yet known

    std::vector<quint8> m_buffer;
};

#endif
