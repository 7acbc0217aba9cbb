#pragma once

#include <QString>

#include <optional>

class QHostAddress;
class QHostInfo;

namespace status {

// The port a game server listens on unless its address names another.
constexpr quint16 kDefaultGamePort = 27960;
// The port a master server listens on unless its address names another.
constexpr quint16 kDefaultMasterPort = 27950;

// Where to ask a server box entry's server for its status.
struct ServerAddress {
    QString host; // a name to resolve or an IPv4 address
    quint16 port = kDefaultGamePort;

    // "host:port" in lower case: one server however its entries spell it.
    QString key() const;

    friend bool operator==(const ServerAddress&, const ServerAddress&) = default;
};

// The address in an entry's text: "host", "host:port", an IPv4 address with
// or without a port, surrounded by any spaces (entries are padded). Nothing
// for a text that names no server: empty, spaces inside, a port that is not
// 1 to 65535, or an IPv4 address no server has (0.0.0.0, broadcast, multicast).
std::optional<ServerAddress> serverAddress(const QString& entryText,
                                           quint16 defaultPort = kDefaultGamePort);

// The first IPv4 address of a lookup, null when it has none: servers are
// asked over IPv4 only, the way the game's entries name them.
QHostAddress ipv4Of(const QHostInfo& info);

} // namespace status
