// Any bytes as a datagram of a master server's answer. What is read is no
// more than the datagram's records can hold, lists only addresses a game
// server can have, and, written again as a master writes it, reads back the
// same.
#include "FuzzCheck.h"
#include "status/MasterAnswer.h"

#include <cstddef>
#include <cstdint>

namespace {

const QByteArray kHeader("\xFF\xFF\xFF\xFFgetserversResponse");

// dpmaster's writing: a backslash, the address, the port, both highest byte
// first; the list's end as a record of its own.
QByteArray written(const status::MasterAnswer& answer)
{
    QByteArray bytes = kHeader;
    for (const status::ListedServer& server : answer.servers) {
        bytes += '\\';
        for (const int shift : {24, 16, 8, 0})
            bytes += char(server.ipv4 >> shift);
        bytes += char(server.port >> 8);
        bytes += char(server.port);
    }
    if (answer.endsList)
        bytes += QByteArray("\\EOT\0\0\0", 7);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView datagram(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto answer = status::parseMasterAnswer(datagram);
    if (!answer)
        return 0;
    FUZZ_CHECK(qsizetype(answer->servers.size()) * 7 <= datagram.size() - kHeader.size());
    for (const status::ListedServer& server : answer->servers) {
        const quint32 firstByte = server.ipv4 >> 24;
        FUZZ_CHECK(server.port != 0 && firstByte != 0 && firstByte < 224);
    }
    const auto again = status::parseMasterAnswer(written(*answer));
    FUZZ_CHECK(again && again->servers == answer->servers && again->endsList == answer->endsList);
    return 0;
}
