#pragma once

#include "status/ServerSummary.h"

#include <QString>
#include <Qt>

#include <optional>

namespace ui {

// What the server browser knows of one server: what a row shows, and what
// it is filtered and sorted by.
struct FoundServerFacts {
    enum class Heard { Asking, Answered, NoAnswer, NameNotFound };
    Heard heard = Heard::Asking;
    int pingMs = 0;
    status::ServerSummary summary;
    QString plainName; // the name as drawn, without its colour codes
    QString address;
    QString source;
    bool modInstalled = true;

    bool answered() const { return heard == Heard::Answered; }
};

// What the player chose to see. By default nothing is hidden.
struct ServerFilter {
    bool hideEmpty = false;
    bool hideFull = false;
    int maxPingMs = 0;           // 0: any ping
    std::optional<int> gameType; // nothing: any
    std::optional<QString> mod;  // nothing: any; empty: the base game
    QString text;                // in the name, map or address
};

bool passes(const FoundServerFacts& server, const ServerFilter& filter);

// The browser's columns, in their order on screen.
enum class FoundColumn { Name, Map, Players, Ping, GameType, Mod, Lock, Source, Count };

// Whether `a` is shown above `b` when the list is sorted by `column` in
// `order`. Servers that have not answered stay below the others either way;
// ties go by ping, then stay in the order found.
bool sortsBefore(const FoundServerFacts& a, const FoundServerFacts& b, FoundColumn column,
                 Qt::SortOrder order);

} // namespace ui
