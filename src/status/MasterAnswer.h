#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace status {

// A game server as a master server lists it.
struct ListedServer {
    quint32 ipv4 = 0; // the address as a number, its first byte highest
    quint16 port = 0;

    // "a.b.c.d:port", as the server box holds an address.
    QString text() const;
    // The address and port as one number, for telling servers apart.
    quint64 key() const { return quint64(ipv4) << 16 | port; }

    friend bool operator==(const ListedServer&, const ListedServer&) = default;
};

// What one datagram of a master's answer holds. A long list comes in several
// datagrams, and only the last may carry the list's end.
struct MasterAnswer {
    std::vector<ListedServer> servers; // in the datagram's order
    bool endsList = false;
};

// Asks a master for the servers of this protocol, empty and full ones too.
QByteArray masterQuery(int protocol);

// The servers of one datagram of a master's answer, or nothing when it is
// not one (another header, or a record that does not start where the one
// before ended). Records are read at their fixed length, never split at
// backslashes: a byte of an address or port may be one. A record cut short
// at the end is left out, and so is an address no game server can have (port
// 0, 0.x.x.x, multicast, broadcast), which a master could otherwise have the
// launcher send questions to.
std::optional<MasterAnswer> parseMasterAnswer(QByteArrayView datagram);

} // namespace status
