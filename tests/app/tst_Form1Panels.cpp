#include "Form1Fixture.h"
#include "support/ZipFiles.h"

#include "ui/DirListBox.h"
#include "ui/DriveListBox.h"
#include "ui/Panel.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using platform::MessageIcon;

namespace {

// One tick, through the same connection the running timer uses.
void tick(QTimer* timer)
{
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
}

// Ticks until the timer stops itself; the number of ticks, or -1 when it
// has not stopped after many more than any slide takes.
int ticksUntilStopped(QTimer* timer)
{
    for (int ticks = 1; ticks <= 100; ++ticks) {
        tick(timer);
        if (!timer->isActive())
            return ticks;
    }
    return -1;
}

QString withSeparator(const QString& path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path)) + QDir::separator();
}

} // namespace

class TestForm1Panels : public QObject {
    Q_OBJECT

private slots:
    void slidesStepToTheirBounds_data();
    void slidesStepToTheirBounds();
    void startingOneDirectionStopsTheOther();
    void realTimersSlideTheMenu();
    void notSetStartSlidesThePickerIn();
    void pickerTakesTheGameDirectory();
    void drivesMoveTheListsOrStayWhenUnreadable();
    void aFolderIsTakenOnlyWithItsMaps();
    void enhancedOptionsSurviveClosing();
};

void TestForm1Panels::slidesStepToTheirBounds_data()
{
    QTest::addColumn<QString>("timer");
    QTest::addColumn<float>("from");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<float>("to");

    QTest::newRow("picker in") << "Timer1" << 6500.0f << 13 << 0.0f;
    QTest::newRow("picker out") << "Timer2" << 0.0f << 13 << 6500.0f;
    QTest::newRow("menu up") << "Timer3" << 5000.0f << 10 << 0.0f;
    QTest::newRow("menu down") << "Timer4" << 0.0f << 10 << 5000.0f;
    QTest::newRow("picker in overshoots") << "Timer1" << 6520.0f << 14 << -480.0f;
    QTest::newRow("picker out overshoots") << "Timer2" << 130.0f << 13 << 6630.0f;
    QTest::newRow("menu started at its bound") << "Timer3" << 0.0f << 1 << -500.0f;
    QTest::newRow("menu down from above") << "Timer4" << -500.0f << 11 << 5000.0f;
}

void TestForm1Panels::slidesStepToTheirBounds()
{
    QFETCH(QString, timer);
    QFETCH(float, from);
    QFETCH(int, ticks);
    QFETCH(float, to);
    Form1Fixture fixture;
    QWidget& window = fixture.startWithGame();
    const bool picker = timer == QLatin1String("Timer1") || timer == QLatin1String("Timer2");
    auto* panel = control<ui::Panel>(window, picker ? "Frame1" : "Frame2");
    auto* running = control<QTimer>(window, qPrintable(timer));
    panel->setVisible(true);
    picker ? panel->setLeft(from) : panel->setTop(from);
    running->start();

    // The picker stays visible until its last step out.
    for (int done = 1; done < ticks; ++done) {
        tick(running);
        QVERIFY(running->isActive() && panel->isVisible());
    }
    tick(running);
    QVERIFY(!running->isActive());
    QCOMPARE(picker ? panel->left() : panel->top(), to);
    QCOMPARE(panel->isVisible(), timer != QLatin1String("Timer2"));
}

void TestForm1Panels::startingOneDirectionStopsTheOther()
{
    Form1Fixture fixture;
    QWidget& window = fixture.startWithGame();
    const auto timer = [&window](const char* name) {
        return control<QTimer>(window, name);
    };

    click(control<QPushButton>(window, "Command6"));
    tick(timer("Timer3"));
    click(control<QPushButton>(window, "Command7"));
    QVERIFY(!timer("Timer3")->isActive() && timer("Timer4")->isActive());
    QCOMPARE(ticksUntilStopped(timer("Timer4")), 1);
    QCOMPARE(control<ui::Panel>(window, "Frame2")->top(), 5000.0f);

    click(control<QPushButton>(window, "Command4"));
    tick(timer("Timer1"));
    timer("Timer2")->start(); // as OK would, mid-slide
    timer("Timer1")->stop();
    click(control<QPushButton>(window, "Command4"));
    QVERIFY(timer("Timer1")->isActive() && !timer("Timer2")->isActive());
    QCOMPARE(ticksUntilStopped(timer("Timer1")), 12);
    QCOMPARE(control<ui::Panel>(window, "Frame1")->left(), 0.0f);
}

void TestForm1Panels::realTimersSlideTheMenu()
{
    Form1Fixture fixture;
    QWidget& window = fixture.startWithGame();
    auto* menu = control<ui::Panel>(window, "Frame2");

    click(control<QPushButton>(window, "Command6"));
    QTRY_COMPARE_WITH_TIMEOUT(menu->top(), 0.0f, 3000);
    click(control<QPushButton>(window, "Command7"));
    QTRY_COMPARE_WITH_TIMEOUT(menu->top(), 5000.0f, 3000);
    QVERIFY(!control<QTimer>(window, "Timer4")->isActive());
}

void TestForm1Panels::notSetStartSlidesThePickerIn()
{
    Form1Fixture fixture;
    fixture.writeValidFiles(QStringLiteral("NOTSET"));
    QWidget& window = fixture.start();
    auto* picker = control<ui::Panel>(window, "Frame1");

    QVERIFY(picker->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(picker->left(), 0.0f, 3000);
    QCOMPARE(control<QLabel>(window, "VerFRM")->text(), QStringLiteral("Version"));
    // The lists start where the launcher was started, on its drive.
    QCOMPARE(control<ui::DirListBox>(window, "Dir1")->path(),
             QDir::toNativeSeparators(QDir::currentPath()));
    auto* drives = control<ui::DriveListBox>(window, "Drive1");
    QCOMPARE(drives->count(), ui::DriveListBox::systemDrives().size());
    QVERIFY(!drives->drive().isEmpty());
}

void TestForm1Panels::pickerTakesTheGameDirectory()
{
    Form1Fixture fixture;
    // Letters beyond Latin-1 reach the file and come back, up to the game.
    const QString game = fixture.makeGame({"q3dm1.bsp", "q3dm17.bsp"}, QStringLiteral("Игры €"));
    QVERIFY(QFile(game + "QUAKE3.EXE").open(QIODevice::WriteOnly));
    fixture.writeValidFiles(QStringLiteral("NOTSET"));
    QWidget& window = fixture.start();
    auto* dirs = control<ui::DirListBox>(window, "Dir1");
    auto* ok = control<QPushButton>(window, "Command5");
    auto* executables = control<QListWidget>(window, "File2");
    auto* status = control<QLabel>(window, "Label3");
    QCOMPARE(ticksUntilStopped(control<QTimer>(window, "Timer1")), 13);

    QVERIFY(dirs->setPath(game));
    QVERIFY(!ok->isEnabled());
    clickItem(executables, QStringLiteral("QUAKE3.EXE"));
    QVERIFY(ok->isEnabled());
    QCOMPARE(status->text(), withSeparator(game));
    // Walking elsewhere takes the choice away again.
    QVERIFY(dirs->setPath(game + "baseq3"));
    QVERIFY(!ok->isEnabled());
    QVERIFY(dirs->setPath(game));
    clickItem(executables, QStringLiteral("QUAKE3.EXE"));

    click(ok);
    QVERIFY(!ok->isEnabled());
    QCOMPARE(control<QLineEdit>(window, "QDirectory")->text(), status->text());
    QVERIFY(fixture.read("vortline.cfg").startsWith('"' + status->text().toUtf8() + "\","));
    QCOMPARE(listItems(control<QListWidget>(window, "File1")),
             QStringList({"q3dm1.bsp", "q3dm17.bsp"}));
    QCOMPARE(control<QLabel>(window, "VerFRM")->text(), QStringLiteral("Version 1.0.17"));
    auto* picker = control<ui::Panel>(window, "Frame1");
    QCOMPARE(ticksUntilStopped(control<QTimer>(window, "Timer2")), 13);
    QVERIFY(!picker->isVisible());
    QCOMPARE(fixture.platform.log, QStringList({"write vortline.cfg"}));

    // "<" reopens the picker where the user left it.
    click(control<QPushButton>(window, "Command4"));
    QVERIFY(picker->isVisible());
    QCOMPARE(dirs->path(), QDir::toNativeSeparators(QDir::cleanPath(game)));
    QCOMPARE(status->text(), withSeparator(game));

    fixture.platform = platform::FakePlatform();
    QWidget& again = fixture.start();
    QCOMPARE(listItems(control<QListWidget>(again, "File1")),
             QStringList({"q3dm1.bsp", "q3dm17.bsp"}));
    click(control<QPushButton>(again, "Command1"));
    QCOMPARE(fixture.platform.runs.size(), 1);
    QCOMPARE(fixture.platform.runs[0].program, withSeparator(game) + "QUAKE3.EXE");
}

void TestForm1Panels::drivesMoveTheListsOrStayWhenUnreadable()
{
    Form1Fixture fixture;
    const QString game = fixture.makeGame();
    QVERIFY(QFile(game + "quake3.exe").open(QIODevice::WriteOnly));
    fixture.writeValidFiles(game);
    QWidget& window = fixture.start();
    auto* drives = control<ui::DriveListBox>(window, "Drive1");
    auto* dirs = control<ui::DirListBox>(window, "Dir1");
    auto* ok = control<QPushButton>(window, "Command5");
    const QString elsewhere = QDir::currentPath();
    drives->setDrives(
        {{"game", QDir::cleanPath(game)}, {"gone", elsewhere + "/gone"}, {"here", elsewhere}});
    QVERIFY(dirs->setPath(game));
    drives->setDriveOf(dirs->path());
    QCOMPARE(drives->drive(), QStringLiteral("game"));
    clickItem(control<QListWidget>(window, "File2"), QStringLiteral("quake3.exe"));
    QVERIFY(ok->isEnabled());

    drives->setFocus();
    QTest::keyClick(drives, Qt::Key_Down);
    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].text,
             QStringLiteral("The drive gone cannot be read.\r\rThe lists stay on the drive they "
                            "showed before."));
    QCOMPARE(drives->drive(), QStringLiteral("game"));
    QCOMPARE(dirs->path(), QDir::toNativeSeparators(QDir::cleanPath(game)));
    QVERIFY(ok->isEnabled());

    QTest::keyClick(drives, Qt::Key_End);
    QCOMPARE(dirs->path(), QDir::toNativeSeparators(elsewhere));
    QVERIFY(!ok->isEnabled());
    QCOMPARE(fixture.platform.endCount, 0);
}

void TestForm1Panels::aFolderIsTakenOnlyWithItsMaps()
{
    Form1Fixture fixture;
    QWidget& window = fixture.startWithGame();
    const QByteArray saved = fixture.read("vortline.cfg");
    auto* directory = control<QLineEdit>(window, "QDirectory");
    const QString before = directory->text();
    auto* ok = control<QPushButton>(window, "Command5");
    auto* programs = control<QListWidget>(window, "File2");
    auto* maps = control<QListWidget>(window, "File1");
    auto* arguments = control<QLineEdit>(window, "Text1");
#ifdef Q_OS_WIN
    const QString program = QStringLiteral("quake3.exe");
#else
    const QString program = QStringLiteral("ioquake3.x86_64");
#endif
    QVERIFY(QDir().mkpath(QStringLiteral("bare/baseq3")));
    QVERIFY(QFile("bare/" + program).open(QIODevice::WriteOnly));
#ifndef Q_OS_WIN
    // START GAME prefers the design's name, as it is spelled in the folder.
    QVERIFY(QFile("bare/Quake3.EXE").open(QIODevice::WriteOnly));
    QVERIFY(QFile("bare/quake3e").open(QIODevice::WriteOnly));
#endif
    click(control<QPushButton>(window, "Command4"));
    QVERIFY(control<ui::DirListBox>(window, "Dir1")->setPath(QStringLiteral("bare")));
    clickItem(programs, program);
    const QString taken = withSeparator(QDir::current().filePath(QStringLiteral("bare")));

    // No maps: told, and nothing taken or saved; the picker stays.
    click(ok);
    QCOMPARE(fixture.platform.log, QStringList({"message"}));
    QCOMPARE(fixture.platform.messages[0].text,
             "ERROR\r\rINIT FAIL Directory " + taken +
                 QDir::toNativeSeparators(QStringLiteral("/baseq3/maps   NOT FOUND")));
    QCOMPARE(fixture.read("vortline.cfg"), saved);
    QCOMPARE(directory->text(), before);
    QVERIFY(control<ui::Panel>(window, "Frame1")->isVisible());
    QVERIFY(!control<QTimer>(window, "Timer2")->isActive());
    QVERIFY(!ok->isEnabled());

    // Clicking the program still chosen offers OK again, and maps in the
    // game's archives are enough.
    clickItem(programs, program);
    QVERIFY(ok->isEnabled());
    fixture.write("bare/baseq3/pak0.pk3", zipfiles::zipBytes({{"maps/dm9.bsp", "IBSP"}}));
    click(ok);
    QCOMPARE(directory->text(), taken);
    QVERIFY(fixture.read("vortline.cfg").startsWith('"' + taken.toLatin1() + "\","));
    QVERIFY(control<QTimer>(window, "Timer2")->isActive());
    QCOMPARE(listItems(maps), QStringList({"dm9.bsp"}));
    QCOMPARE(listItems(control<QComboBox>(window, "Combo1")),
             QStringList({"Decay", "Ned", "Sarge", "terrance"}));

    // Clicking the chosen map again undoes an edit of the line.
    clickItem(maps, QStringLiteral("dm9.bsp"));
    const QString built = arguments->text();
    QVERIFY2(built.endsWith(QStringLiteral("+map dm9 ")), qPrintable(built));
    arguments->setText(QStringLiteral("+edited"));
    clickItem(maps, QStringLiteral("dm9.bsp"));
    QCOMPARE(arguments->text(), built);

    click(control<QPushButton>(window, "Command1"));
    QCOMPARE(fixture.platform.runs.size(), 1);
#ifdef Q_OS_WIN
    QCOMPARE(fixture.platform.runs[0].program, taken + program);
#else
    QCOMPARE(fixture.platform.runs[0].program, taken + "Quake3.EXE");
#endif
}

void TestForm1Panels::enhancedOptionsSurviveClosing()
{
    Form1Fixture fixture;
    QWidget& window = fixture.startWithGame();
    click(control<QPushButton>(window, "Command6"));
    QCOMPARE(ticksUntilStopped(control<QTimer>(window, "Timer3")), 10);

    click(control<QWidget>(window, "ADVANCED"));
    click(control<QRadioButton>(window, "Option1"));
    click(control<QPushButton>(window, "Command7"));
    QCOMPARE(ticksUntilStopped(control<QTimer>(window, "Timer4")), 10);
    click(control<QPushButton>(window, "Command1"));

    QCOMPARE(fixture.platform.runs.size(), 1);
    QCOMPARE(fixture.platform.runs[0].arguments,
             QStringLiteral("+name Name +set r_fullscreen 1 +set s_khz 22 "));
    QVERIFY(control<QRadioButton>(window, "Option1")->isChecked());
}

QTEST_MAIN(TestForm1Panels)
#include "tst_Form1Panels.moc"
