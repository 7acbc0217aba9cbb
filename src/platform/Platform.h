#pragma once

#include "StartResult.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace platform {

// How a started program shows its main window; the numbers are the ones the
// Windows show commands use.
enum class WindowStyle { Normal = 1, Minimized = 2, Maximized = 3 };

enum class MessageIcon { None, Critical };

// The registry root the launcher reads from, as its 32-bit handle.
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002;

// Registry value types as the registry numbers them.
inline constexpr std::uint32_t kRegistryString = 1;
inline constexpr std::uint32_t kRegistryNumber32 = 4;

// One value as the registry hands it out: its type and exactly the bytes it
// returned, a terminating NUL included where the value was stored with one.
struct RegistryValue {
    std::uint32_t type = 0;
    QByteArray data;
};

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
    // the launcher's own working directory; when it cannot, says why.
    virtual StartResult runCommandLine(const QString& commandLine, WindowStyle style) = 0;

    // Starts a program with an argument string; the program path is taken
    // whole, so it may hold spaces. When it cannot start, says why.
    virtual StartResult runProgram(const QString& program, const QString& arguments,
                                   WindowStyle style) = 0;

    // Modal message box with an OK button and the program's title. A carriage
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

    // Where the game keeps what a player downloads besides its installation,
    // such as maps; empty where the launcher looks nowhere else.
    virtual QString playerGameFolder() = 0;

    // Reads one value of the registry; key path and value name go to it as
    // ANSI text. Nothing when the key cannot be opened or the value cannot be
    // read into 1024 bytes, and nothing ever where there is no registry.
    virtual std::optional<RegistryValue>
    readRegistryValue(std::uint32_t root, const QString& keyName, const QString& valueName) = 0;

protected:
    Platform() = default;
    Platform(const Platform&) = default;
    Platform& operator=(const Platform&) = default;
};

} // namespace platform
