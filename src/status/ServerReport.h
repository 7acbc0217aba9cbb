#pragma once

#include "StatusAnswer.h"

#include <optional>

namespace status {

// What is known of one server box entry's server.
struct ServerReport {
    enum class State {
        NotAsked,
        Asking,    // a query or a name lookup is under way, or waits its turn
        Answered,  // `status` and `pingMs` hold the answer
        NoAnswer,  // no answer after the timeout and one retry, or the name did not resolve in time
        NoAddress, // the entry's text names no server
    };
    State state = State::NotAsked;
    std::optional<ServerStatus> status;
    int pingMs = 0;
    bool nameNotFound = false; // NoAnswer because the name has no address
};

// How politely servers are asked.
struct StatusLimits {
    int inFlight = 32;       // queries waiting for an answer at once
    int perSecond = 100;     // queries sent
    int timeoutMs = 1000;    // before the one retry, and after it
    int freshForMs = 30'000; // an answer older than this is asked again
    int lookupMs = 2000;     // a name not resolved by then has no answer
};

} // namespace status
