#include "FoundServerFacts.h"

#include <algorithm>
#include <compare>

namespace ui {
namespace {

int compareText(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

// -1, 0 or 1 as `a` comes before, with or after `b` in ascending order.
int compareBy(const FoundServerFacts& a, const FoundServerFacts& b, FoundColumn column)
{
    const auto sign = [](auto ordering) {
        return ordering < 0 ? -1 : ordering > 0 ? 1 : 0;
    };
    const status::ServerSummary& x = a.summary;
    const status::ServerSummary& y = b.summary;
    switch (column) {
    case FoundColumn::Name:
        return compareText(a.plainName, b.plainName);
    case FoundColumn::Map:
        return compareText(x.map, y.map);
    case FoundColumn::Players:
        return sign(x.players <=> y.players);
    case FoundColumn::Ping:
        return sign(a.pingMs <=> b.pingMs);
    case FoundColumn::GameType:
        return sign(x.gameType <=> y.gameType);
    case FoundColumn::Mod:
        return compareText(x.mod, y.mod);
    case FoundColumn::Lock:
        return sign(x.needsPassword <=> y.needsPassword);
    case FoundColumn::Source:
        return compareText(a.source, b.source);
    case FoundColumn::Count:
        break;
    }
    return 0;
}

} // namespace

bool passes(const FoundServerFacts& server, const ServerFilter& filter)
{
    const status::ServerSummary& summary = server.summary;
    // What a server has not told cannot rule it out, except where the player
    // asked for something only an answer shows.
    if (server.answered()) {
        if (filter.hideEmpty && summary.players == 0)
            return false;
        if (filter.hideFull && summary.maxPlayers > 0 &&
            summary.players + std::max(summary.bots, 0) >= summary.maxPlayers)
            return false;
    }
    if (filter.maxPingMs > 0 && (!server.answered() || server.pingMs > filter.maxPingMs))
        return false;
    if (filter.gameType && (!server.answered() || summary.gameType != *filter.gameType))
        return false;
    if (filter.mod && (!server.answered() || compareText(summary.mod, *filter.mod) != 0))
        return false;
    const QString text = filter.text.trimmed();
    return text.isEmpty() || server.plainName.contains(text, Qt::CaseInsensitive) ||
           summary.map.contains(text, Qt::CaseInsensitive) ||
           server.address.contains(text, Qt::CaseInsensitive);
}

bool sortsBefore(const FoundServerFacts& a, const FoundServerFacts& b, FoundColumn column,
                 Qt::SortOrder order)
{
    if (a.answered() != b.answered())
        return a.answered();
    int result = compareBy(a, b, column);
    if (order == Qt::DescendingOrder)
        result = -result;
    // Ties keep the order found in: a tie broken by name costs a comparison
    // of texts for most pairs of thousands of servers sharing a ping.
    if (result == 0 && column != FoundColumn::Ping)
        result = compareBy(a, b, FoundColumn::Ping);
    return result < 0;
}

} // namespace ui
