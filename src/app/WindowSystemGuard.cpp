#include "WindowSystemGuard.h"

#include "ProgramIdentity.h"

#include <QApplication>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace app {
namespace {

// Qt's message handler is a plain function, so it finds the guard here, and
// the handler before the guard's, which every message not held goes on to.
std::atomic<WindowSystemGuard*> active{nullptr};
std::atomic<QtMessageHandler> passOn{nullptr};

bool fromThePlatform(QtMsgType type, const QMessageLogContext& context)
{
    return type != QtDebugMsg && type != QtFatalMsg && context.category &&
           qstrncmp(context.category, "qt.qpa", 6) == 0;
}

// A context's texts may be missing, which Qt shows otherwise than empty ones.
const char* orNull(const QByteArray& text)
{
    return text.isNull() ? nullptr : text.constData();
}

QString firstLine(const QString& text)
{
    return text.section(QLatin1Char('\n'), 0, 0).trimmed();
}

} // namespace

WindowSystemGuard::WindowSystemGuard()
    : previous_(qInstallMessageHandler(&WindowSystemGuard::handle))
{
    passOn = previous_;
    active = this;
}

WindowSystemGuard::~WindowSystemGuard()
{
    qInstallMessageHandler(previous_);
    active = nullptr;
    std::vector<Held> held;
    {
        const std::lock_guard lock(mutex_);
        held.swap(held_);
    }
    for (const Held& message : held) {
        const QMessageLogContext context(orNull(message.file), message.line,
                                         orNull(message.function), orNull(message.category));
        previous_(message.type, context, message.text);
    }
}

void WindowSystemGuard::handle(QtMsgType type, const QMessageLogContext& context,
                               const QString& text)
{
    WindowSystemGuard* guard = active;
    if (guard && type == QtFatalMsg)
        guard->fail(text);
    if (guard && fromThePlatform(type, context)) {
        const std::lock_guard lock(guard->mutex_);
        guard->held_.push_back(
            {type, context.file, context.line, context.function, context.category, text});
        return;
    }
    if (const QtMessageHandler next = passOn)
        next(type, context, text);
}

void WindowSystemGuard::fail(const QString& fatalText)
{
    QString why;
    {
        const std::lock_guard lock(mutex_);
        // The first thing the platform said is its reason; what follows is
        // Qt giving up on it.
        why = firstLine(held_.empty() ? fatalText : held_.front().text);
    }
    const QString line = QLatin1String(identity::kTitle) +
                         QStringLiteral(": cannot open a window: ") + why + QLatin1Char('\n');
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(nullptr);
    // Not exit(): Qt is half made, and its clean-up could fail on that.
    std::_Exit(1);
}

std::unique_ptr<QApplication> openApplication(int& argc, char** argv)
{
    const WindowSystemGuard guard;
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace app
