#pragma once

#include "StatusAnswer.h"

#include <QByteArray>
#include <QString>

namespace status {

// What a browser shows of a server, read from its info or status answer.
struct ServerSummary {
    QByteArray name; // with its colour codes
    QString map;
    int players = 0;    // people, without bots when the server tells them apart
    int bots = -1;      // -1 when the server does not say
    int maxPlayers = 0; // the slots open to the public
    int gameType = -1;  // the game's number, -1 when not sent or not a number
    QString mod;        // the folder the server plays, empty for the base game
    bool needsPassword = false;
};

ServerSummary summarize(const ServerStatus& answer);

// The game type in words, or its number when it is not one of the game's.
QString gameTypeText(int gameType);

} // namespace status
