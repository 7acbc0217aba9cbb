#pragma once

#include "platform/Platform.h"
#include "platform/WorkingDirectoryFiles.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>

namespace platform {

// A platform for tests: it records what the launcher asked for instead of
// showing or starting anything, returns from endProgram(), and keeps files in
// the real working directory, where a test can make chosen names unwritable.
class FakePlatform final : public Platform {
public:
    struct Message {
        QString text;
        MessageIcon icon;
    };
    struct Run {
        QString commandLine; // program and arguments joined by one space
        QString program;     // empty for a whole command line
        QString arguments;
        WindowStyle style;
    };

    StartResult runCommandLine(const QString& commandLine, WindowStyle style) override;
    StartResult runProgram(const QString& program, const QString& arguments,
                           WindowStyle style) override;
    void showMessage(const QString& text, MessageIcon icon) override;
    void endProgram() override;
    std::optional<QByteArray> readFile(const QString& name) override;
    bool writeFile(const QString& name, const QByteArray& bytes) override;
    bool appendFile(const QString& name, const QByteArray& bytes) override;
    bool fileExists(const QString& name) override;
    QString playerGameFolder() override { return playerFolder; }
    std::optional<RegistryValue> readRegistryValue(std::uint32_t root, const QString& keyName,
                                                   const QString& valueName) override;

    // A registry value that reads back as given; names are compared without
    // regard to case, as the registry does. Every other value is missing.
    void setRegistryValue(std::uint32_t root, const QString& keyName, const QString& valueName,
                          const RegistryValue& value);

    // Writes and appends to these names fail (compared without regard to case).
    void failWritesTo(const QString& name) { unwritable_.insert(name.toLower()); }
    // The writeFile or appendFile call with this number, counting both from
    // 1, fails as on a full disk: it reports failure and changes no file.
    int fullDiskAt = 0;
    // The player's own game folder; none unless a test gives one.
    QString playerFolder;
    // Every start of a program fails, giving this reason.
    bool failRuns = false;
    QString failReason;
    // Starts are recorded and then made by this platform, when set, so a
    // test meets what the system says about a program that cannot start.
    Platform* starts = nullptr;

    QList<Message> messages;
    QList<Run> runs;
    int endCount = 0;
    // Every call in order, as "message", "run", "end", "write NAME",
    // "append NAME", "registry KEY\VALUE": tests read it to prove what came
    // after what.
    QStringList log;

private:
    // Counts one more write and says whether it may go ahead.
    bool acceptsWrite(const QString& name);
    StartResult givenStart() const;

    static QString registryPath(std::uint32_t root, const QString& keyName,
                                const QString& valueName);

    WorkingDirectoryFiles files_;
    QSet<QString> unwritable_;
    int writes_ = 0;
    QHash<QString, RegistryValue> registry_;
};

} // namespace platform
