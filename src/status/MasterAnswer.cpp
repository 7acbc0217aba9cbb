#include "MasterAnswer.h"

#include <algorithm>

namespace status {
namespace {

constexpr QByteArrayView kHeader("\xFF\xFF\xFF\xFFgetserversResponse");
// A backslash, four bytes of address and two of port.
constexpr qsizetype kRecordLength = 7;

bool isServerAddress(const ListedServer& server)
{
    const quint32 firstByte = server.ipv4 >> 24;
    return server.port != 0 && firstByte != 0 && firstByte < 224;
}

// The end of the list: "\EOT" (dpmaster, the game's own masters) or "\EOF"
// (some others), its record filled with zeros or cut short at the end. A
// whole record with a port is a server whose address begins "EOT".
bool isEndMark(QByteArrayView record)
{
    const bool marked = record.startsWith("\\EOT") || record.startsWith("\\EOF");
    return marked && (record.size() < kRecordLength || (record[5] == 0 && record[6] == 0));
}

} // namespace

QString ListedServer::text() const
{
    return QStringLiteral("%1.%2.%3.%4:%5")
        .arg(ipv4 >> 24)
        .arg((ipv4 >> 16) & 0xff)
        .arg((ipv4 >> 8) & 0xff)
        .arg(ipv4 & 0xff)
        .arg(port);
}

QByteArray masterQuery(int protocol)
{
    return QByteArray("\xFF\xFF\xFF\xFFgetservers ") + QByteArray::number(protocol) + " empty full";
}

std::optional<MasterAnswer> parseMasterAnswer(QByteArrayView datagram)
{
    if (!datagram.startsWith(kHeader))
        return std::nullopt;
    MasterAnswer answer;
    QByteArrayView rest = datagram.sliced(kHeader.size());
    // Some masters put a line end after the header.
    if (rest.startsWith('\n'))
        rest = rest.sliced(1);
    while (!rest.isEmpty()) {
        if (rest.front() != '\\')
            return std::nullopt;
        if (isEndMark(rest.first(std::min(rest.size(), kRecordLength)))) {
            answer.endsList = true;
            break;
        }
        if (rest.size() < kRecordLength)
            break;
        const auto byte = [&](qsizetype at) {
            return quint32(quint8(rest[at]));
        };
        const ListedServer server{byte(1) << 24 | byte(2) << 16 | byte(3) << 8 | byte(4),
                                  quint16(byte(5) << 8 | byte(6))};
        if (isServerAddress(server))
            answer.servers.push_back(server);
        rest = rest.sliced(kRecordLength);
    }
    return answer;
}

} // namespace status
