#pragma once

// One opening of the server box's list with this many servers answering on
// 127.0.0.1, each from a port of its own, in a thread of their own.
struct ServerStatusRun {
    // From the slowest server's answer until every row held its answer and
    // the rows in view were painted with theirs.
    double filledAfterLastAnswer = 0;
    // The longest the window's event loop was kept from turning meanwhile.
    double longestFrame = 0;
};

ServerStatusRun openServerListOf(int servers);
