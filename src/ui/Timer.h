#pragma once

#include <QTimer>

namespace ui {

// A timer switched on and off like a property: enabling one that already runs
// leaves its next tick where it was (QTimer::start() would restart it).
class Timer : public QTimer {
public:
    explicit Timer(int intervalMs, QObject* parent = nullptr)
        : QTimer(parent)
    {
        setInterval(intervalMs);
    }

    bool isEnabled() const { return isActive(); }
    void setEnabled(bool enabled)
    {
        if (enabled && !isActive())
            start();
        else if (!enabled)
            stop();
    }
};

} // namespace ui
