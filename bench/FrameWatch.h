#pragma once

#include <QObject>
#include <QTimer>

#include <algorithm>
#include <chrono>

// How long the event loop is kept from turning: a timer due every 2 ms that
// would fire on time in an idle loop, its longest lateness kept.
class FrameWatch : public QObject {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kTick = std::chrono::milliseconds(2);

    FrameWatch()
    {
        ticks_.setTimerType(Qt::PreciseTimer);
        ticks_.setInterval(kTick);
        connect(&ticks_, &QTimer::timeout, this, [this] {
            const Clock::time_point now = Clock::now();
            longest_ = std::max(longest_, now - lastTick_ - kTick);
            lastTick_ = now;
        });
    }

    // Starts over, the longest frame forgotten.
    void start()
    {
        longest_ = {};
        lastTick_ = Clock::now();
        ticks_.start();
    }
    void stop() { ticks_.stop(); }
    double longestSeconds() const { return std::chrono::duration<double>(longest_).count(); }

    // The bench's own work between two ticks, which is not the window's.
    void leaveOut(Clock::duration benchWork) { lastTick_ += benchWork; }

private:
    QTimer ticks_;
    Clock::time_point lastTick_{};
    Clock::duration longest_{};
};
