// What the bench reads from its start-up children (their report line among
// whatever else they print, the libraries in their memory map), and floors
// that must do the launcher's work, no less.
#include "MonotonicClock.h"
#include "PlainArguments.h"
#include "PlainServerList.h"
#include "ProgramStart.h"
#include "StartReport.h"
#include "UnwantedLibraries.h"
#include "app/GameArguments.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace {

QStringList listed(const std::vector<std::string>& names)
{
    QStringList list;
    for (const std::string& name : names)
        list.append(QString::fromStdString(name));
    return list;
}

} // namespace

Q_DECLARE_METATYPE(app::LaunchOptions)

class TestBenchChecks : public QObject {
    Q_OBJECT

private slots:
    void findsUnwantedLibraries_data();
    void findsUnwantedLibraries();
    void readsStartReports_data();
    void readsStartReports();
    void buildsTheLaunchersArgumentString_data();
    void buildsTheLaunchersArgumentString();
    void readsServerListLines_data();
    void readsServerListLines();
    void timesStartedPrograms_data();
    void timesStartedPrograms();
};

void TestBenchChecks::findsUnwantedLibraries_data()
{
    QTest::addColumn<QByteArray>("maps");
    QTest::addColumn<QStringList>("unwanted");

    QTest::newRow("a plain Qt program's neighbours are not their namesakes")
        << QByteArray("7f01-7f02 r--p 00000000 08:01 11 /usr/lib/x86_64-linux-gnu/libgcrypt.so.20\n"
                      "7f02-7f03 r--p 00000000 08:01 12 /usr/lib/libkrb5support.so.0.1\n"
                      "7f03-7f04 r-xp 00000000 08:01 13 /usr/lib/libzstd.so.1.5.4\n"
                      "7f04-7f05 rw-p 00000000 00:00 0 [heap]\n"
                      "7f05-7f06 rw-p 00000000 00:00 0\n")
        << QStringList();
    QTest::newRow("each library once, in the order first mapped")
        << QByteArray("7f01-7f02 r--p 00000000 08:01 21 /usr/lib/libQt6Network.so.6.4.2\n"
                      "7f02-7f03 r-xp 00001000 08:01 21 /usr/lib/libQt6Network.so.6.4.2\n"
                      "7f03-7f04 r--p 00000000 08:01 22 /usr/lib/libzip.so.4.0\n"
                      "7f04-7f05 r--p 00000000 08:01 21 /usr/lib/libQt6Network.so.6.4.2\n"
                      "7f05-7f06 r--p 00000000 08:01 23 /usr/lib/libcrypto.so.3")
        << QStringList{"libQt6Network.so.6.4.2", "libzip.so.4.0", "libcrypto.so.3"};
    QTest::newRow("a library replaced on disk while mapped")
        << QByteArray("7f01-7f02 r--p 00000000 08:01 31 /usr/lib/libssl.so.3 (deleted)\n")
        << QStringList{"libssl.so.3"};
}

void TestBenchChecks::findsUnwantedLibraries()
{
    QFETCH(QByteArray, maps);
    QFETCH(QStringList, unwanted);
    QCOMPARE(listed(unwantedLibraries(maps.toStdString())), unwanted);
}

void TestBenchChecks::readsStartReports_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<bool>("read");
    QTest::addColumn<qint64>("mainAt");
    QTest::addColumn<qint64>("windowAt");
    QTest::addColumn<QStringList>("libraries");

    QTest::newRow("after the warnings Qt printed")
        << QByteArray("QStandardPaths: XDG_RUNTIME_DIR not set\nstart-report 1500 9000 "
                      "libzip.so.4.0 libbz2.so.1.0.4\n")
        << true << qint64(1500) << qint64(9000) << QStringList{"libzip.so.4.0", "libbz2.so.1.0.4"};
    QTest::newRow("no libraries") << QByteArray("start-report 7 7") << true << qint64(7)
                                  << qint64(7) << QStringList();
    QTest::newRow("nothing reported")
        << QByteArray("qt.qpa.plugin: Could not load the platform plugin\n") << false << qint64(0)
        << qint64(0) << QStringList();
    QTest::newRow("the marker inside another line")
        << QByteArray("warning: start-report 1 2\n") << false << qint64(0) << qint64(0)
        << QStringList();
    QTest::newRow("cut short") << QByteArray("start-report 1500\n") << false << qint64(0)
                               << qint64(0) << QStringList();
    QTest::newRow("not a number") << QByteArray("start-report 15x0 9000\n") << false << qint64(0)
                                  << qint64(0) << QStringList();
    QTest::newRow("the window before main") << QByteArray("start-report 9000 1500\n") << false
                                            << qint64(0) << qint64(0) << QStringList();
}

void TestBenchChecks::readsStartReports()
{
    QFETCH(QByteArray, output);
    QFETCH(bool, read);
    const auto report = findStartReport(output.toStdString());
    QCOMPARE(report.has_value(), read);
    if (!report)
        return;
    QTEST(qint64(report->mainAt), "mainAt");
    QTEST(qint64(report->windowAt), "windowAt");
    QTEST(listed(report->libraries), "libraries");
}

void TestBenchChecks::buildsTheLaunchersArgumentString_data()
{
    QTest::addColumn<app::LaunchOptions>("options");

    app::LaunchOptions everything;
    everything.playerName = QStringLiteral("Fraglet");
    everything.cheats = everything.dedicated = everything.connect = everything.advanced = 1;
    everything.server = QStringLiteral("10.0.0.1:27960");
    everything.model = QStringLiteral("Sarge");
    everything.mapFile = QStringLiteral("q3dm17.bsp");
    everything.rate22 = true;
    QTest::newRow("every piece") << everything;
    app::LaunchOptions grayed = everything;
    grayed.fullscreen = 2;
    QTest::newRow("full screen grayed") << grayed;
    app::LaunchOptions windowed = everything;
    windowed.fullscreen = 0;
    windowed.rate22 = false;
    QTest::newRow("windowed, 44 kHz") << windowed;
    app::LaunchOptions unset;
    unset.playerName = QStringLiteral("Ünïcode");
    unset.connect = 1;
    unset.model = QStringLiteral("Select Skin");
    unset.mapFile = QStringLiteral("q3");
    unset.cheats = unset.dedicated = 2;
    QTest::newRow("connect without a server, no skin, short map") << unset;
}

void TestBenchChecks::buildsTheLaunchersArgumentString()
{
    QFETCH(app::LaunchOptions, options);
    QCOMPARE(QString::fromStdString(argumentsPlainly(plainOptions(options))),
             app::buildGameArguments(options));
}

void TestBenchChecks::readsServerListLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("as the launcher writes it")
        << QByteArray("0.0.0.0\r\n10.0.0.1\r\n") << QStringList{"0.0.0.0", "10.0.0.1"};
    QTest::newRow("saved by an editor")
        << QByteArray("a\nb\r\n\nc") << QStringList{"a", "b", "", "c"};
    QTest::newRow("empty") << QByteArray() << QStringList();
}

void TestBenchChecks::readsServerListLines()
{
    QFETCH(QByteArray, file);
    const QTemporaryDir folder;
    QFile list(folder.filePath(QStringLiteral("servers.vtl")));
    QVERIFY(list.open(QIODevice::WriteOnly) && list.write(file) == file.size());
    list.close();
    QTEST(listed(readLinesPlainly(list.fileName().toStdString())), "lines");
}

// This program started again as a start-up child, in one of these ways.
namespace {

constexpr char kReports[] = "--reports";
constexpr char kReportsInFolderWithMarker[] = "--reports-beside-marker";
constexpr char kFails[] = "--fails";
constexpr char kMarker[] = "marker";

} // namespace

void TestBenchChecks::timesStartedPrograms_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("reported");

    QTest::newRow("a child that reports") << QString::fromLatin1(kReports) << true;
    QTest::newRow("in the folder it was given")
        << QString::fromLatin1(kReportsInFolderWithMarker) << true;
    QTest::newRow("a child that fails") << QString::fromLatin1(kFails) << false;
    QTest::newRow("a child that reports nothing") << QStringLiteral("--nothing") << false;
}

void TestBenchChecks::timesStartedPrograms()
{
    QFETCH(QString, way);
    QFETCH(bool, reported);
    const QTemporaryDir folder;
    QFile marker(folder.filePath(QLatin1String(kMarker)));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    const std::string program =
        QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
    try {
        const ProgramStart start =
            startProgram(program, {way.toStdString()}, folder.path().toStdString());
        QVERIFY(reported);
        QVERIFY(start.toMain > 0);
        QVERIFY(start.toWindow >= start.toMain);
        QVERIFY(start.peakKiB > 0);
        QCOMPARE(listed(start.unwantedLibraries), QStringList{"libzip.so.4.0"});
    } catch (const std::runtime_error& error) {
        QVERIFY2(!reported, error.what());
        // What the child said is shown.
        if (way == QLatin1String(kFails))
            QVERIFY(std::strstr(error.what(), "no display"));
    }
}

// As the child timesStartedPrograms starts: reports, fails, or ends saying
// nothing.
[[noreturn]] void runAsChild(std::string_view way)
{
    const std::int64_t mainAt = monotonicNanoseconds();
    if (way == kReports ||
        (way == kReportsInFolderWithMarker && QFileInfo::exists(QLatin1String(kMarker))))
        reportStartAndExit({mainAt, monotonicNanoseconds(), {"libzip.so.4.0"}});
    if (way == kFails) {
        std::fputs("no display\n", stderr);
        std::exit(1);
    }
    std::exit(0);
}

int main(int argc, char* argv[])
{
    if (argc == 2 && std::string_view(argv[1]).starts_with("--"))
        runAsChild(argv[1]);
    QCoreApplication application(argc, argv);
    TestBenchChecks checks;
    return QTest::qExec(&checks, argc, argv);
}

#include "tst_BenchChecks.moc"
