#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <mutex>
#include <vector>

class QApplication;

namespace app {

// While it lives, a window system that cannot be reached ends the program
// with one line on standard error and exit status 1. Qt's platform plugin
// would abort instead, with several lines meant for developers after the
// warning that says what was wrong; that warning becomes the line. The
// platform's warnings are held back meanwhile, and passed on in order when
// the guard ends without a failure; every other message passes at once.
class WindowSystemGuard {
public:
    WindowSystemGuard();
    ~WindowSystemGuard();
    WindowSystemGuard(const WindowSystemGuard&) = delete;
    WindowSystemGuard& operator=(const WindowSystemGuard&) = delete;

private:
    struct Held {
        QtMsgType type;
        QByteArray file;
        int line;
        QByteArray function;
        QByteArray category;
        QString text;
    };

    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);
    [[noreturn]] void fail(const QString& fatalText);

    QtMessageHandler previous_;
    std::mutex mutex_;
    std::vector<Held> held_;
};

// The application object, made under a WindowSystemGuard.
std::unique_ptr<QApplication> openApplication(int& argc, char** argv);

} // namespace app
