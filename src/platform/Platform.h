#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// How a started program shows its main window; the numbers are the ones the
// Windows show commands use.
enum class WindowStyle { Normal = 1, Minimized = 2, Maximized = 3 };

enum class MessageIcon { None, Critical };

// What a procedure that may end the program tells its caller. In the real
// program endProgram() never returns, so Ended is only ever seen under the
// test fake; callers still stop at once so tests can prove nothing else ran.
enum class [[nodiscard]] Flow{Continue, Ended};

// Everything the launcher needs from the operating system. Window code goes
// through this interface only, so tests can swap in a recording fake.
class Platform {
public:
    virtual ~Platform() = default;

    // Starts a whole command line as a separate process, not waited for, in
    // the launcher's own working directory. False when it could not start.
    virtual bool runCommandLine(const QString& commandLine, WindowStyle style) = 0;

    // Starts a program with an argument string; the program path is taken
    // whole, so it may hold spaces. False when it could not start.
    virtual bool runProgram(const QString& program, const QString& arguments,
                            WindowStyle style) = 0;

    // Modal message box with an OK button and the title "vortline". A carriage
    // return in the text starts a new line.
    virtual void showMessage(const QString& text, MessageIcon icon) = 0;

    // Ends the program at once. Only the test fake returns from it.
    virtual void endProgram() = 0;

    // Files named without a directory live in the working directory and are
    // found whatever the letter case of their name.
    virtual std::optional<QByteArray> readFile(const QString& name) = 0;
    // Replaces the whole file, or leaves the old one untouched on failure.
    virtual bool writeFile(const QString& name, const QByteArray& bytes) = 0;
    // Appends to the file, creating it under the given name if it is missing.
    virtual bool appendFile(const QString& name, const QByteArray& bytes) = 0;
    virtual bool fileExists(const QString& name) = 0;

protected:
    Platform() = default;
    Platform(const Platform&) = default;
    Platform& operator=(const Platform&) = default;
};

} // namespace platform
