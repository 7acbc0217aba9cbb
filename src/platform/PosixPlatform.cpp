#include "PosixPlatform.h"

#include "CommandLineSplitter.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QUrl>

namespace platform {
namespace {

bool startDetached(const QString& program, const QStringList& arguments)
{
    // An empty working directory keeps the launcher's own, as the game expects.
    return QProcess::startDetached(program, arguments, QString());
}

} // namespace

bool PosixPlatform::runCommandLine(const QString& commandLine, WindowStyle)
{
    QStringList words = splitCommandLine(commandLine);
    if (words.isEmpty() || words.first().isEmpty())
        return false;
    const QString program = words.takeFirst();
    // The Windows shell opens mail and web addresses; here the desktop does.
    if (program.compare(QLatin1String("explorer.exe"), Qt::CaseInsensitive) == 0)
        return !words.isEmpty() && QDesktopServices::openUrl(QUrl(words.first()));
    return startDetached(program, words);
}

QString PosixPlatform::playerGameFolder()
{
    return QDir::homePath() + QStringLiteral("/.q3a/baseq3");
}

bool PosixPlatform::runProgram(const QString& program, const QString& arguments, WindowStyle)
{
    return !program.isEmpty() && startDetached(program, splitArguments(arguments));
}

} // namespace platform
