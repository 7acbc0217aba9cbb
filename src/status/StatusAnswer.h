#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <utility>
#include <vector>

namespace status {

// One player line of a status answer; the name keeps its colour codes.
struct Player {
    int score = 0;
    int ping = 0;
    QByteArray name;

    friend bool operator==(const Player&, const Player&) = default;
};

// What a game server says of itself in answer to a status query.
struct ServerStatus {
    // The server's settings in the order it sent them.
    std::vector<std::pair<QByteArray, QByteArray>> info;
    std::vector<Player> players;

    // The value of a setting, its key compared without regard to case as the
    // game does; empty when it is not there.
    QByteArray value(QByteArrayView key) const;
    // sv_maxclients as a number; 0 when missing or not a number.
    int maxClients() const;
    // Removes every setting of this key and gives the value of the first.
    QByteArray take(QByteArrayView key);

    friend bool operator==(const ServerStatus&, const ServerStatus&) = default;
};

// The datagram that asks a server for its status. The server echoes the
// challenge in its settings, so an answer tells which query it answers; the
// game takes up to 128 printable characters but no backslash, quote or
// semicolon.
QByteArray statusQuery(QByteArrayView challenge);

// A challenge for a query: unpredictable, so that no one who cannot see the
// query can answer it, and of characters every server echoes.
QByteArray newChallenge();

// Larger datagrams are never a server's status answer.
constexpr qsizetype kLargestAnswer = 16384;

// The status in a datagram, or nothing when it is not a whole, well-formed
// status answer (wrong header, cut short, oversized, a malformed line).
std::optional<ServerStatus> parseStatusAnswer(QByteArrayView datagram);

// The datagram that asks a server for the short form of its settings (name,
// map, player counts, game type, mod): the answer a browser of thousands of
// servers can afford. The challenge is echoed as in a status answer, and is
// what a broadcast on the local network is told apart by.
QByteArray infoQuery(QByteArrayView challenge);

// The settings of an info answer, or nothing when it is not a whole,
// well-formed one. It has no players.
std::optional<ServerStatus> parseInfoAnswer(QByteArrayView datagram);

} // namespace status
