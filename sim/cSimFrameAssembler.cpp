#include "cSimFrameAssembler.h"

namespace {

constexpr std::size_t fixedRequestLength = 8;
constexpr std::size_t writeByteCountOffset = 6;
constexpr std::size_t writeHeaderLength = 9;
// A master writes a request in one go, so a long gap inside a known frame
// only comes from a scheduling hiccup; an unknown frame ends at a short one.
constexpr std::chrono::milliseconds knownGap{50};
constexpr std::chrono::milliseconds unknownGap{3};

} // namespace

void cSimFrameAssembler::append(const quint8 *data, std::size_t length)
{
    m_buffer.insert(m_buffer.end(), data, data + length);
}

bool cSimFrameAssembler::takeFrame(std::vector<quint8> &frame)
{
    const std::size_t length = expectedLength();
    if (length == 0 || m_buffer.size() < length)
        return false;
    frame.assign(m_buffer.begin(), m_buffer.begin() + std::ptrdiff_t(length));
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + std::ptrdiff_t(length));
    return true;
}

bool cSimFrameAssembler::takeOnSilence(std::vector<quint8> &frame)
{
    if (m_buffer.empty() || knownFunction()) {
        m_buffer.clear();
        return false;
    }
    frame.swap(m_buffer);
    m_buffer.clear();
    return true;
}

std::chrono::milliseconds cSimFrameAssembler::silenceGap() const
{
    return knownFunction() ? knownGap : unknownGap;
}

bool cSimFrameAssembler::knownFunction() const
{
    if (m_buffer.size() < 2)
        return false;
    const quint8 function = m_buffer[1];
    return function == 3 || function == 4 || function == 8 || function == 16;
}

std::size_t cSimFrameAssembler::expectedLength() const
{
    if (!knownFunction())
        return 0;
    if (m_buffer[1] != 16)
        return fixedRequestLength;
    if (m_buffer.size() <= writeByteCountOffset)
        return 0;
    return writeHeaderLength + m_buffer[writeByteCountOffset];
}
