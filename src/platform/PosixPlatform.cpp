#include "PosixPlatform.h"

#include "CommandLineSplitter.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

#include <cerrno>

namespace platform {
namespace {

// Qt names the call that failed before the system's words ("execv: Exec format
// error"); the user needs only the words.
QString systemWords(const QString& errorString)
{
    static const QRegularExpression call(QStringLiteral("^[a-z_]+: "));
    return QString(errorString).remove(call);
}

StartResult startDetached(const QString& program, const QStringList& arguments)
{
    // What the system says of an empty path; Qt would answer in words of its own.
    if (program.isEmpty())
        return StartResult::failure(qt_error_string(ENOENT));
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    // No working directory set keeps the launcher's own, as the game expects.
    if (process.startDetached())
        return StartResult::success();
    // The system refuses to run a folder as it refuses a file without the
    // right to run it, which would send the user to the folder's rights.
    if (QFileInfo(program).isDir())
        return StartResult::failure(qt_error_string(EISDIR));
    return StartResult::failure(systemWords(process.errorString()));
}

} // namespace

StartResult PosixPlatform::runCommandLine(const QString& commandLine, WindowStyle)
{
    QStringList words = splitCommandLine(commandLine);
    const QString program = words.isEmpty() ? QString() : words.takeFirst();
    // The Windows shell opens mail and web addresses; here the desktop does,
    // and it gives no reason when it cannot.
    if (program.compare(QLatin1String("explorer.exe"), Qt::CaseInsensitive) == 0)
        return !words.isEmpty() && QDesktopServices::openUrl(QUrl(words.first()))
                   ? StartResult::success()
                   : StartResult::failure(QString());
    return startDetached(program, words);
}

QString PosixPlatform::playerGameFolder()
{
    return QDir::homePath() + QStringLiteral("/.q3a/baseq3");
}

StartResult PosixPlatform::runProgram(const QString& program, const QString& arguments, WindowStyle)
{
    return startDetached(program, splitArguments(arguments));
}

} // namespace platform
