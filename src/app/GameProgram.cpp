#include "GameProgram.h"

#include "platform/FileHead.h"
#include "platform/FolderListing.h"

namespace app {
namespace {

constexpr QLatin1String kWindowsProgram("quake3.exe");

#ifndef Q_OS_WIN
// Windows programs begin with the MS-DOS header's "MZ"; Linux cannot run one,
// and a Linux engine beside it is what the player means to start.
bool isWindowsProgram(const QString& path)
{
    return platform::fileHead(path, 2) == "MZ";
}
#endif

} // namespace

QStringList gameProgramNames()
{
#ifdef Q_OS_WIN
    return {kWindowsProgram};
#else
    // Linux engines are not called quake3.exe; each names its build this way.
    return {kWindowsProgram,
            QStringLiteral("ioquake3.x86_64"),
            QStringLiteral("ioquake3"),
            QStringLiteral("quake3e.x64"),
            QStringLiteral("quake3e"),
            QStringLiteral("quake3")};
#endif
}

bool isGameProgram(const QString& fileName)
{
    return gameProgramNames().contains(fileName.toLower());
}

QString gameProgramIn(const QString& gameDirectory)
{
#ifdef Q_OS_WIN
    Q_UNUSED(gameDirectory);
    return kWindowsProgram;
#else
    // The directory text is a prefix of the program's path: without its
    // separator at the end it names no folder to look in.
    if (!gameDirectory.isEmpty() && !gameDirectory.endsWith(QLatin1Char('/')))
        return kWindowsProgram;
    const QString folder = gameDirectory.isEmpty() ? QStringLiteral(".") : gameDirectory;
    const QStringList present =
        platform::fileNamesIn(folder, &isGameProgram).value_or(QStringList());
    for (const QString& wanted : gameProgramNames()) {
        for (const QString& name : present) {
            if (name.compare(wanted, Qt::CaseInsensitive) == 0 &&
                !isWindowsProgram(folder + QLatin1Char('/') + name))
                return name;
        }
    }
    // Nothing Linux can run: the name the game goes by, so a failed start
    // names what was looked for and says why.
    for (const QString& name : present) {
        if (name.compare(kWindowsProgram, Qt::CaseInsensitive) == 0)
            return name;
    }
    return kWindowsProgram;
#endif
}

} // namespace app
