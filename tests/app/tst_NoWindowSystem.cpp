#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <unistd.h>

// The built launcher, started where no window can open: it says why in one
// line on standard error and ends with status 1, not with Qt's abort.
class TestNoWindowSystem : public QObject {
    Q_OBJECT

private slots:
    void oneLineAndStatus1_data();
    void oneLineAndStatus1();
};

namespace {

// A display number no X server has claimed, by its socket and lock file.
QString vacantDisplay()
{
    for (int number = 4000 + ::getpid() % 1000;; ++number) {
        const QString n = QString::number(number);
        if (!QFile::exists("/tmp/.X11-unix/X" + n) && !QFile::exists("/tmp/.X" + n + "-lock"))
            return ':' + n;
    }
}

} // namespace

void TestNoWindowSystem::oneLineAndStatus1_data()
{
    QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM; null: unset
    QTest::addColumn<QString>("display");  // DISPLAY; null: unset
    QTest::addColumn<QString>("why");      // what the line names

    const QString vacant = vacantDisplay();
    const QString noConnection = QStringLiteral("could not connect to display");
    QTest::newRow("no display") << QString() << QString() << noConnection;
    QTest::newRow("no display, xcb asked for") << "xcb" << QString() << noConnection;
    QTest::newRow("a display no server has") << QString() << vacant << noConnection + ' ' + vacant;
    QTest::newRow("a platform not installed")
        << "vortline-nonesuch" << QString() << "\"vortline-nonesuch\"";
}

void TestNoWindowSystem::oneLineAndStatus1()
{
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QFETCH(QString, why);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    if (!platform.isNull())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    if (!display.isNull())
        environment.insert(QStringLiteral("DISPLAY"), display);
    QProcess launcher;
    launcher.setProcessEnvironment(environment);
    launcher.setWorkingDirectory(QDir::tempPath());

    launcher.start(QStringLiteral(VORTLINE_PROGRAM), {});
    QVERIFY2(launcher.waitForFinished(60'000), qPrintable(launcher.errorString()));

    const QString error = QString::fromLocal8Bit(launcher.readAllStandardError());
    QCOMPARE(launcher.exitStatus(), QProcess::NormalExit);
    QCOMPARE(launcher.exitCode(), 1);
    QCOMPARE(error.count('\n'), 1);
    QVERIFY2(error.startsWith("vortline: cannot open a window: ") && error.contains(why),
             qPrintable(error));
    QCOMPARE(launcher.readAllStandardOutput(), QByteArray());
}

QTEST_GUILESS_MAIN(TestNoWindowSystem)
#include "tst_NoWindowSystem.moc"
