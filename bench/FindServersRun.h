#pragma once

#include "status/ServerReport.h"

#include <QString>

#include <array>
#include <string>
#include <vector>

// The server browser's list of this many servers, all of them listed by one
// master: thousands, as the public masters list.
inline constexpr int kFoundServers = 5'000;

// Queries go out faster than the browser's polite default of 100 a second,
// so that the list fills in seconds; the board's own limit of eight sends a
// turn of its pump still holds.
inline constexpr status::StatusLimits kFindServersLimits{
    .inFlight = 256, .perSecond = 1'500, .timeoutMs = 1'000};

// What the player does to a filled list, each kind of change timed apart.
enum class ListChange { HideEmpty, HideFull, MaxPing, GameType, Mod, Search, Sort, Count };
inline constexpr std::size_t kListChanges = std::size_t(ListChange::Count);
// "hide empty" and the like, for the counters and the table.
const char* listChangeName(ListChange change);

// One opening of the server browser on servers answering from 127.0.0.0/8
// in the benchmark's own event loop, with a master on 127.0.0.1 listing them.
struct FindServersRun {
    // From the refresh until every row was present and every server that
    // answers showed its answer, the list sorted by ping and painted.
    double filledFromRefresh = 0;
    // The same, from the last answer sent.
    double filledAfterLastAnswer = 0;
    // The longest the event loop was kept from turning, from the refresh
    // until the silent servers were given up on too.
    double longestFillFrame = 0;
    // The longest frame of each kind of change on the filled list.
    std::array<double, kListChanges> longestChangeFrame{};
    // The heap the filled list holds beyond the open, empty window.
    long heapKiB = 0;
};

FindServersRun openFindServersOn(int servers);

// The objects of the server browser (its window, models, finder, a status
// board, a plain tree view) that the launcher's main window, just started in
// `folder`, holds: none should be made before the browser is opened.
std::vector<std::string> findServersObjectsAtStart(const QString& folder);
