// Feeds arbitrary replies to every frame function. Each buffer is allocated
// at exactly the size its contract promises, so AddressSanitizer reports any
// access past it.
//
// Input: a 16-byte header choosing the request, then the reply bytes.
//   0  function: 0-3 pick 3, 4, 8, 16; anything else takes the word at 6
//   1  count: 0-7 pick an edge count; anything else takes the word at 10
//   2  startReg: below 0x80 puts the block within 2 of the image's end,
//      anything else takes the word at 8
//   3  bit 0 clear takes the request's own expected length, set the int16
//      at 14; bit 1 set replaces the reply's last two bytes with its CRC
// then the words (big-endian) address at 4, function at 6, startReg at 8,
// count at 10 and value at 12.
#include <cstdlib>
#include <vector>

#include "cModBusFunctions.h"

namespace {

constexpr size_t headerSize = 16;
constexpr quint16 canary = 0xA5A5;
constexpr quint16 functions[] = {3, 4, 8, 16};
constexpr quint16 edgeCounts[] = {0, 1, 2, 125, 126, 127, 128, 129};

quint16 wordAt(const quint8 *bytes, size_t offset)
{
    return quint16(bytes[offset] << 8 | bytes[offset + 1]);
}

query_info_t queryFrom(const quint8 *header)
{
    query_info_t query;
    query.function = header[0] < 4 ? functions[header[0]] : wordAt(header, 6);
    query.count = header[1] < 8 ? edgeCounts[header[1]] : wordAt(header, 10);
    query.startReg = header[2] < 0x80
        ? quint16(cModBusFunctions::registerCount - query.count + header[2] % 5 - 2)
        : wordAt(header, 8);
    query.address = wordAt(header, 4);
    query.value = wordAt(header, 12);
    return query;
}

// The reply length the request itself announces; 0 when none was built.
int requestedReplyLength(const query_info_t &query)
{
    std::vector<quint8> frame(cModBusFunctions::frameSize);
    std::vector<quint16> values(query.count, 0x1234);
    int requestLength = 0;
    int replyLength = 0;
    const quint16 *outgoing = query.function == 16 ? values.data() : nullptr;
    cModBusFunctions::makeRequestFrame(query, frame.data(), outgoing, requestLength, replyLength);
    if (requestLength > cModBusFunctions::frameSize)
        abort();
    return replyLength;
}

bool isRead(const query_info_t &query)
{
    return query.function == 3 || query.function == 4;
}

// Values reach the caller only for an accepted read, and then they are the
// reply's words; anything else leaves the buffer as it was.
void checkModuleReply(const query_info_t &query, const std::vector<quint8> &reply, int expectedLength)
{
    // The caller's buffer holds maxRegisters; a larger count must not use more.
    const size_t room = qMin<size_t>(query.count, cModBusFunctions::maxRegisters);
    std::vector<quint16> values(room, canary);
    const int result = cModBusFunctions::parseModuleReply(query, reply.data(), values.data(),
                                                          expectedLength, int(reply.size()));
    const bool filled = result == MB_OK && isRead(query);
    if (filled && reply.size() < 5 + 2 * room)
        abort();
    for (size_t k = 0; k < room; ++k) {
        if (values[k] != (filled ? wordAt(reply.data(), 3 + 2 * k) : canary))
            abort();
    }
}

void checkScanReply(const query_info_t &query, const std::vector<quint8> &reply, int expectedLength)
{
    quint16 value = canary;
    const int result = cModBusFunctions::parseScanReply(query, reply.data(), value, expectedLength,
                                                        int(reply.size()));
    if (result == MB_OK && (reply.size() < 5 || value != wordAt(reply.data(), 3)))
        abort();
}

// Most mutations break the CRC; sealing lets them reach the checks behind it.
void sealWithCrc(std::vector<quint8> &reply)
{
    const size_t n = reply.size();
    if (n < 2)
        return;
    const quint16 crc = cModBusFunctions::calcCrc16(reply.data(), int(n - 2));
    reply[n - 2] = quint8(crc & 0xFF);
    reply[n - 1] = quint8(crc >> 8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const quint8 *data, size_t size)
{
    if (size < headerSize)
        return 0;
    const query_info_t query = queryFrom(data);
    const int requested = requestedReplyLength(query);
    const int expectedLength = data[3] & 1 ? qint16(wordAt(data, 14)) : requested;

    // Exactly the received bytes, so a read past them is reported.
    std::vector<quint8> reply(data + headerSize, data + size);
    if (data[3] & 2)
        sealWithCrc(reply);
    cModBusFunctions::replyLengthSoFar(reply.data(), int(reply.size()), expectedLength);
    checkModuleReply(query, reply, expectedLength);
    checkScanReply(query, reply, expectedLength);
    return 0;
}
