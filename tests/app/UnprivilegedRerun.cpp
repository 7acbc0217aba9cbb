#include "UnprivilegedRerun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

namespace {

// In the environment of a test re-run without privileges, so that a re-run
// which failed to drop them cannot start another one.
constexpr char kUnprivilegedRun[] = "VORTLINE_UNPRIVILEGED_RUN";

// Whether every folder on the way to this one lets any user pass.
bool anyoneCanEnter(const QString& folder)
{
    QDir dir(QFileInfo(folder).canonicalFilePath());
    do {
        struct stat info {};
        if (::stat(QFile::encodeName(dir.path()).constData(), &info) != 0 ||
            !(info.st_mode & S_IXOTH))
            return false;
    } while (dir.cdUp());
    return true;
}

// A copy of the file in the folder, its mode kept; empty when none was made.
QString copyInto(const QString& folder, const QString& file)
{
    const QString copy = QDir(folder).filePath(QFileInfo(file).fileName());
    return QFile::copy(file, copy) ? copy : QString();
}

// The sanitizers' options may name a suppressions file in the checkout, which
// the re-run could not read either: it reads a copy. False when none was made.
bool copySuppressions(QProcessEnvironment& environment, const QString& folder)
{
    static const QRegularExpression named(
        QStringLiteral(R"((^|:)suppressions=(['"]?)([^:'"]+)\2)"));
    for (const QString& variable : {QStringLiteral("LSAN_OPTIONS"), QStringLiteral("UBSAN_OPTIONS"),
                                    QStringLiteral("ASAN_OPTIONS")}) {
        QString options = environment.value(variable);
        const QRegularExpressionMatch found = named.match(options);
        if (!found.hasMatch())
            continue;
        const QString copy = copyInto(folder, found.captured(3));
        if (copy.isEmpty())
            return false;
        options.replace(found.capturedStart(3), found.capturedLength(3), copy);
        environment.insert(variable, options);
    }
    return true;
}

} // namespace

QString rerunUnprivileged()
{
    if (qEnvironmentVariableIsSet(kUnprivilegedRun))
        return QStringLiteral("the re-run meant to be unprivileged is still root");
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t uid = nobody ? nobody->pw_uid : 65534;
    const gid_t gid = nobody ? nobody->pw_gid : 65534;
    // A folder of its own where that user can reach it: the inherited
    // temporary folder may be private to root.
    const QString base =
        anyoneCanEnter(QDir::tempPath()) ? QDir::tempPath() : QStringLiteral("/tmp");
    QTemporaryDir home(base + QStringLiteral("/unprivileged-XXXXXX"));
    if (!home.isValid() || ::chown(QFile::encodeName(home.path()).constData(), uid, gid) != 0)
        return QStringLiteral("no folder for uid %1 in %2").arg(uid).arg(base);
    // The checkout may lie where that user cannot go, so the re-run is a copy
    // of this program in that folder; all of ours is linked into it.
    const QString program = copyInto(home.path(), QCoreApplication::applicationFilePath());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (program.isEmpty() || !copySuppressions(environment, home.path()))
        return QStringLiteral("could not copy this program or its sanitizer suppressions to %1")
            .arg(home.path());

    QString test = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        test += QLatin1Char(':') + QString::fromLatin1(QTest::currentDataTag());
    environment.insert(QLatin1String(kUnprivilegedRun), QStringLiteral("1"));
    environment.insert(QStringLiteral("TMPDIR"), home.path());
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QGuiApplication::platformName());
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(home.path());
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.setChildProcessModifier([uid, gid] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            ::_exit(125);
    });
    child.start(program, {test});
    const QString as = QStringLiteral("%1 as uid %2").arg(test).arg(uid);
    if (!child.waitForStarted())
        return as + QStringLiteral(" could not start %1 (%2); that user needs to read and run it "
                                   "and to pass its folders")
                        .arg(program, child.errorString());
    if (!child.waitForFinished(120'000)) {
        child.kill();
        child.waitForFinished();
        return as + QStringLiteral(" did not finish");
    }
    if (child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0)
        return QString();
    return as + QStringLiteral(" failed (exit %1):\n%2")
                    .arg(child.exitCode())
                    .arg(QString::fromLocal8Bit(child.readAll()));
}
