#pragma once

#include <QString>

namespace platform {

// What came of asking the system to start a program. It tests true when the
// program started, so callers that only care whether it did read as before.
struct [[nodiscard]] StartResult {
    bool started = false;
    // Why it did not start, in the system's own words for the user to read;
    // empty when it started, or when the system gave no reason.
    QString reason;

    explicit operator bool() const { return started; }

    static StartResult success() { return {true, QString()}; }
    static StartResult failure(const QString& reason) { return {false, reason}; }
};

} // namespace platform
