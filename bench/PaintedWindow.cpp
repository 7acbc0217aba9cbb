#include "PaintedWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <stdexcept>

namespace {

class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(QWidget& widget)
        : widget_(widget)
    {
        widget_.installEventFilter(this);
    }
    ~PaintWatcher() override { widget_.removeEventFilter(this); }
    PaintWatcher(const PaintWatcher&) = delete;
    PaintWatcher& operator=(const PaintWatcher&) = delete;

    void wait()
    {
        // The whole window is painted in one pass, so once the event loop
        // returns after its first paint event, the children are painted too.
        QElapsedTimer waited;
        waited.start();
        while (!painted_) {
            QCoreApplication::processEvents();
            if (waited.elapsed() > 10'000)
                throw std::runtime_error("a window was never painted");
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &widget_ && event->type() == QEvent::Paint)
            painted_ = true;
        return false;
    }

private:
    QWidget& widget_;
    bool painted_ = false;
};

} // namespace

void showAndWaitForPaint(QWidget& window)
{
    PaintWatcher watcher(window);
    window.show();
    watcher.wait();
}

void waitForPaint(QWidget& widget)
{
    PaintWatcher watcher(widget);
    watcher.wait();
}

void destroyWindow(QWidget* window)
{
    delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
