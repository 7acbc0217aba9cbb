#include "Form1Fixture.h"

#include "app/FrmAbout.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using platform::kHkeyLocalMachine;
using platform::MessageIcon;
using platform::RegistryValue;
using platform::WindowStyle;

namespace {

const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

QList<app::FrmAbout*> aboutWindows()
{
    QList<app::FrmAbout*> shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* about = qobject_cast<app::FrmAbout*>(window); about && about->isVisible())
            shown.append(about);
    }
    return shown;
}

} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT

private slots:
    void versionLabelOpensOneAboutWindow_data();
    void versionLabelOpensOneAboutWindow();
    void linksRunTheShellCommands_data();
    void linksRunTheShellCommands();
    void linkThatCannotStartIsReported();
    void getKeyValueReadsAsTheRegistryAnswers_data();
    void getKeyValueReadsAsTheRegistryAnswers();
    void systemInfoRoutes_data();
    void systemInfoRoutes();
};

void TestFrmAbout::versionLabelOpensOneAboutWindow_data()
{
    QTest::addColumn<QString>("closedBy");
    for (const char* way : {"OK", "Enter", "Esc", "close box"})
        QTest::newRow(way) << QString::fromLatin1(way);
}

void TestFrmAbout::versionLabelOpensOneAboutWindow()
{
    QFETCH(QString, closedBy);
    Form1Fixture fixture;
    QWidget& window = fixture.startWithGame();
    auto* version = control<QLabel>(window, "VerFRM");

    click(version);
    click(version);
    QCOMPARE(aboutWindows().size(), 1);
    QPointer<app::FrmAbout> first = aboutWindows().first();
    QCOMPARE(first->windowTitle(), QStringLiteral("About vortline"));
    QCOMPARE(control<QLabel>(*first, "lblVersion")->text(), QStringLiteral("Version 1.0.17"));
    QCOMPARE(control<QLabel>(*first, "lblTitle")->text(), QStringLiteral("vortline"));
    QVERIFY(window.isVisible());

    if (closedBy == QLatin1String("OK"))
        click(control<QPushButton>(*first, "cmdOK"));
    else if (closedBy == QLatin1String("Enter"))
        QTest::keyClick(first, Qt::Key_Return);
    else if (closedBy == QLatin1String("Esc"))
        QTest::keyClick(first, Qt::Key_Escape);
    else
        first->close();
    QVERIFY(aboutWindows().isEmpty());
    // The window is unloaded, not merely hidden: the next click loads a new one.
    click(version);
    QCOMPARE(aboutWindows().size(), 1);
    QVERIFY(aboutWindows().first() != first);
    QTRY_VERIFY(first.isNull());
    QVERIFY(fixture.platform.log.isEmpty());
}

void TestFrmAbout::linksRunTheShellCommands_data()
{
    QTest::addColumn<bool>("onAbout");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<WindowStyle>("style");
    const QString mail = QStringLiteral("explorer.exe mailto:fraglet@example.org");
    QTest::newRow("credit line") << false << "Label1(0)" << mail << WindowStyle::Minimized;
    QTest::newRow("handle") << false << "Label1(1)" << mail << WindowStyle::Minimized;
    QTest::newRow("about EMAIL") << true << "Label1(1)" << mail << WindowStyle::Minimized;
    QTest::newRow("about web page")
        << true << "Label2" << QStringLiteral("explorer.exe https://example.org")
        << WindowStyle::Normal;
}

void TestFrmAbout::linksRunTheShellCommands()
{
    QFETCH(bool, onAbout);
    QFETCH(QString, label);
    QFETCH(QString, commandLine);
    QFETCH(WindowStyle, style);
    Form1Fixture fixture;
    QWidget& window = fixture.startWithGame();
    if (onAbout)
        click(control<QLabel>(window, "VerFRM"));
    QWidget& owner = onAbout ? *aboutWindows().first() : window;

    click(owner.findChild<QLabel*>(label));

    QCOMPARE(fixture.platform.runs.size(), 1);
    QCOMPARE(fixture.platform.runs[0].commandLine, commandLine);
    QCOMPARE(fixture.platform.runs[0].style, style);
    QVERIFY(fixture.platform.messages.isEmpty());
}

void TestFrmAbout::linkThatCannotStartIsReported()
{
    Form1Fixture fixture;
    QWidget& window = fixture.startWithGame();
    fixture.platform.failRuns = true;
    fixture.platform.failReason = QStringLiteral("No program opens mail addresses.");

    click(control<QLabel>(window, "Label1(1)"));

    QCOMPARE(fixture.platform.log, QStringList({"run", "message"}));
    QVERIFY(fixture.platform.messages[0].text.endsWith(
        "explorer.exe mailto:fraglet@example.org\r\rReason: No program opens mail addresses."));
    QCOMPARE(fixture.platform.endCount, 0);
    QVERIFY(window.isVisible());
}

void TestFrmAbout::getKeyValueReadsAsTheRegistryAnswers_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("text");

    QTest::newRow("string with its NUL")
        << true << 1u << QByteArray("C:\\MSINFO\0", 10) << true << "C:\\MSINFO";
    QTest::newRow("string without a NUL")
        << true << 1u << QByteArray("C:\\MSINFO") << true << "C:\\MSINFO";
    QTest::newRow("empty string") << true << 1u << QByteArray() << true << "";
    QTest::newRow("only a NUL") << true << 1u << QByteArray(1, '\0') << true << "";
    QTest::newRow("ANSI text") << true << 1u << QByteArray("caf\xE9\0", 5) << true
                               << QString::fromLocal8Bit("caf\xE9");
    // Every byte counts, zeros inside the number included.
    QTest::newRow("32-bit number")
        << true << 4u << QByteArray("\x02\x00\x01\x00", 4) << true << "65538";
    QTest::newRow("largest number") << true << 4u << QByteArray(4, '\xFF') << true << "4294967295";
    QTest::newRow("other type keeps the text")
        << true << 3u << QByteArray("\x01\x02", 2) << true << "before";
    QTest::newRow("missing") << false << 1u << QByteArray() << false << "";
}

void TestFrmAbout::getKeyValueReadsAsTheRegistryAnswers()
{
    QFETCH(bool, stored);
    QFETCH(quint32, type);
    QFETCH(QByteArray, data);
    QFETCH(bool, found);
    QFETCH(QString, text);
    platform::FakePlatform platform;
    if (stored)
        platform.setRegistryValue(kHkeyLocalMachine, kMsinfoKey, QStringLiteral("PATH"),
                                  RegistryValue{type, data});
    app::FrmAbout about(platform);

    QString value = QStringLiteral("before");
    // The registry ignores letter case in names.
    QCOMPARE(
        about.GetKeyValue(kHkeyLocalMachine, kMsinfoKey.toLower(), QStringLiteral("path"), value),
        found);
    QCOMPARE(value, text);
    QCOMPARE(about.GetKeyValue(0x80000001, kMsinfoKey, QStringLiteral("PATH"), value), false);
}

void TestFrmAbout::systemInfoRoutes_data()
{
    QTest::addColumn<QByteArray>("path");     // first route; empty: not stored
    QTest::addColumn<QByteArray>("location"); // second route; empty: not stored
    QTest::addColumn<bool>("toolExists");
    QTest::addColumn<bool>("runsFail");
    QTest::addColumn<QString>("run"); // the command line tried; empty: none
    QTest::addColumn<bool>("message");

    QTest::newRow("path run unchecked")
        << QByteArray("C:\\Tools\\msinfo32.exe /x\0", 25) << QByteArray("tools") << false << false
        << "C:\\Tools\\msinfo32.exe /x" << false;
    QTest::newRow("path that cannot start")
        << QByteArray("missing.exe") << QByteArray() << false << true << "missing.exe" << true;
    QTest::newRow("location with the tool") << QByteArray() << QByteArray("tools\0", 6) << true
                                            << false << "tools\\MSINFO32.EXE" << false;
    QTest::newRow("location without the tool")
        << QByteArray() << QByteArray("tools") << false << false << "" << true;
    QTest::newRow("location that cannot start")
        << QByteArray() << QByteArray("tools") << true << true << "tools\\MSINFO32.EXE" << true;
    QTest::newRow("nothing stored") << QByteArray() << QByteArray() << false << false << "" << true;
}

void TestFrmAbout::systemInfoRoutes()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, location);
    QFETCH(bool, toolExists);
    QFETCH(bool, runsFail);
    QFETCH(QString, run);
    QFETCH(bool, message);
    TemporaryWorkingDirectory directory;
    if (toolExists)
        QVERIFY(QFile(QStringLiteral("tools\\msinfo32.exe")).open(QIODevice::WriteOnly));
    platform::FakePlatform platform;
    platform.failRuns = runsFail;
    if (!path.isEmpty())
        platform.setRegistryValue(kHkeyLocalMachine, kMsinfoKey, QStringLiteral("PATH"), {1, path});
    if (!location.isEmpty())
        platform.setRegistryValue(kHkeyLocalMachine, kLocationKey, QStringLiteral("MSINFO"),
                                  {1, location});
    app::FrmAbout about(platform);
    about.show();

    click(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")));

    QCOMPARE(platform.runs.size(), run.isEmpty() ? 0 : 1);
    if (!run.isEmpty()) {
        QCOMPARE(platform.runs[0].commandLine, run);
        QCOMPARE(platform.runs[0].style, WindowStyle::Normal);
    }
    QCOMPARE(platform.messages.size(), message ? 1 : 0);
    if (message) {
        QCOMPARE(platform.messages[0].text, kUnavailable);
        QCOMPARE(platform.messages[0].icon, MessageIcon::None);
    }
    // The second route is asked only when the first has nothing.
    QCOMPARE(platform.log.first(), QStringLiteral("registry ") + kMsinfoKey + "\\PATH");
    QCOMPARE(platform.log.contains("registry " + kLocationKey + "\\MSINFO"), path.isEmpty());
    QVERIFY(about.isVisible());
}

QTEST_MAIN(TestFrmAbout)
#include "tst_FrmAbout.moc"
