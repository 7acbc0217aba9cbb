#include "platform/PosixPlatform.h"
#include "support/TemporaryWorkingDirectory.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QUrl>

#include <cerrno>

using platform::PosixPlatform;
using platform::WindowStyle;

// Receives what the desktop would have opened.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class TestPosixPlatform : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsProgramsWithoutAShell();
    void reportsAProgramThatCannotStart_data();
    void reportsAProgramThatCannotStart();
    void handsAddressesToTheDesktop();

private:
    std::unique_ptr<TemporaryWorkingDirectory> directory_;
    PosixPlatform platform_;
};

void TestPosixPlatform::init()
{
    directory_ = std::make_unique<TemporaryWorkingDirectory>();
}

void TestPosixPlatform::cleanup()
{
    directory_.reset();
}

void TestPosixPlatform::startsProgramsWithoutAShell()
{
    QVERIFY(platform_.runProgram(QStringLiteral("/usr/bin/touch"),
                                 QStringLiteral("\"two words\" $(echo x) semi;colon "),
                                 WindowStyle::Maximized));
    QVERIFY(platform_.runCommandLine(QStringLiteral("/usr/bin/touch \"from a line\""),
                                     WindowStyle::Normal));
    // The programs run detached and in the launcher's working directory.
    QTRY_COMPARE(QDir().entryList(QDir::Files, QDir::Name),
                 QStringList({"$(echo", "from a line", "semi;colon", "two words", "x)"}));
}

void TestPosixPlatform::reportsAProgramThatCannotStart_data()
{
    QTest::addColumn<QString>("program"); // null: the line is a whole command line
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("error"); // whose text is the reason; 0: none given

    QTest::newRow("missing program") << "/no/such/quake3.exe"
                                     << "+name " << ENOENT;
    QTest::newRow("empty program") << ""
                                   << "+name " << ENOENT;
    QTest::newRow("blank line") << QString() << "   " << ENOENT;
    QTest::newRow("missing program in a line") << QString() << "/no/such/program x" << ENOENT;
    QTest::newRow("folder in a line") << QString() << "<folder> x" << EISDIR;
    // The desktop gives no reason for an address it cannot open.
    QTest::newRow("no address") << QString() << "explorer.exe" << 0;
}

void TestPosixPlatform::reportsAProgramThatCannotStart()
{
    QFETCH(QString, program);
    QFETCH(QString, line);
    QFETCH(int, error);
    line.replace(QStringLiteral("<folder>"), directory_->path());

    const platform::StartResult result =
        program.isNull() ? platform_.runCommandLine(line, WindowStyle::Normal)
                         : platform_.runProgram(program, line, WindowStyle::Maximized);

    QVERIFY(!result);
    QCOMPARE(result.reason, error == 0 ? QString() : qt_error_string(error));
}

void TestPosixPlatform::handsAddressesToTheDesktop()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");

    QVERIFY(platform_.runCommandLine(QStringLiteral("explorer.exe mailto:author@example.org"),
                                     WindowStyle::Minimized));
    QVERIFY(platform_.runCommandLine(QStringLiteral("EXPLORER.EXE https://example.org/vortline"),
                                     WindowStyle::Normal));
    QVERIFY(!platform_.runCommandLine(QStringLiteral("explorer.exe"), WindowStyle::Normal));

    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.opened, QList<QUrl>({QUrl(QStringLiteral("mailto:author@example.org")),
                                          QUrl(QStringLiteral("https://example.org/vortline"))}));
}

QTEST_MAIN(TestPosixPlatform)
#include "tst_PosixPlatform.moc"
