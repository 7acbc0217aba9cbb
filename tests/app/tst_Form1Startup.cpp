#include "Form1Fixture.h"
#include "support/ZipFiles.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/ReadableColours.h"
#include "ui/ValueCheckBox.h"

using platform::MessageIcon;

namespace {

const QString kReason = QStringLiteral(
    "Reason: Maybe Your run this Programm for the first time in this directory, after you click "
    "OK the programm will FIX the error. The Only thing you have do is to start the programm "
    "again.");
const QString kError001 = QStringLiteral("ERROR 001\r\rVortline.cfg Not found...\r\rSelfFixing "
                                         "Activated... Please restart Vortline.exe\r\r") +
                          kReason;
const QString kError002 = QStringLiteral("ERROR 002\r\rServers.VTL Not found...\r\rSelfFixing "
                                         "Activated... Please restart Vortline.exe\r\r") +
                          kReason;
const QByteArray kDefaultRecord = "\"NOTSET\",\"Name\",\"Select Skin\",\" \",\" \",0,0,0\r\n";

} // namespace

class TestForm1Startup : public QObject {
    Q_OBJECT

private slots:
    void firstRunTakesThreeStarts();
    void unreadableSettingsAreRepairedKeepingABackup_data();
    void unreadableSettingsAreRepairedKeepingABackup();
    void settingsWithExtraTextLoad_data();
    void settingsWithExtraTextLoad();
    void unreadableServerListIsRepairedInPlace();
    void repairThatCannotWriteSaysSoAndEnds();
    void repairKeepsTheFileWhenNoBackupCanBeKept();
    void mapFolderNotFoundOpensThePicker_data();
    void mapFolderNotFoundOpensThePicker();
    void mapsFromArchives_data();
    void mapsFromArchives();
    void emptyDirectoryTextUsesTheWorkingDirectory();
    void validStartRestoresTheControls();
};

void TestForm1Startup::firstRunTakesThreeStarts()
{
    Form1Fixture fixture;

    QWidget& first = fixture.start();
    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].text, kError001);
    QCOMPARE(fixture.platform.messages[0].icon, MessageIcon::Critical);
    QCOMPARE(fixture.platform.log, QStringList({"message", "write vortline.cfg", "end"}));
    QVERIFY(!first.isVisible());
    QCOMPARE(fixture.read("vortline.cfg"), kDefaultRecord);
    QCOMPARE(kDefaultRecord.size(), 45);
    QCOMPARE(fixture.fileNames(), QStringList({"vortline.cfg"}));

    fixture.platform = platform::FakePlatform();
    QWidget& second = fixture.start();
    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].text, kError002);
    QCOMPARE(fixture.platform.messages[0].icon, MessageIcon::Critical);
    QCOMPARE(fixture.platform.log, QStringList({"message", "write servers.vtl", "end"}));
    QVERIFY(!second.isVisible());
    QCOMPARE(fixture.read("servers.vtl"), QByteArray("0.0.0.0\r\n"));
    QCOMPARE(fixture.fileNames(), QStringList({"servers.vtl", "vortline.cfg"}));

    fixture.platform = platform::FakePlatform();
    QWidget& third = fixture.start();
    QVERIFY(fixture.platform.log.isEmpty());
    QVERIFY(third.isVisible());
    QVERIFY(!control<QFrame>(third, "Frame1")->isHidden());
    QVERIFY(control<QTimer>(third, "Timer1")->isActive());
    QCOMPARE(control<QComboBox>(third, "Combo1")->count(), 0);
    QCOMPARE(control<QLabel>(third, "VerFRM")->text(), QStringLiteral("Version"));
    auto* servers = control<QComboBox>(third, "Combo2");
    QCOMPARE(servers->currentText(), QString(15, QLatin1Char(' ')));
    QCOMPARE(listItems(servers), QStringList({"0.0.0.0        "}));
    QVERIFY(control<QPushButton>(third, "Command3")->isEnabled());
    QCOMPARE(control<QLineEdit>(third, "Text1")->text(), QStringLiteral("+name Name "));
}

void TestForm1Startup::unreadableSettingsAreRepairedKeepingABackup_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("seven fields") << QByteArray("\"NOTSET\",\"Name\",\"Sarge\",\" \",\"\",0,0\r\n");
    QTest::newRow("cheats of 3") << QByteArray(
        "\"NOTSET\",\"Name\",\"Sarge\",\" \",\"\",3,0,0\r\n");
    QTest::newRow("a word as a check value")
        << QByteArray("\"NOTSET\",\"Name\",\"Sarge\",\" \",\"\",0,yes,0\r\n");
    QTest::newRow("negative connect")
        << QByteArray("\"NOTSET\",\"Name\",\"Sarge\",\" \",\"\",0,0,-1\r\n");
}

void TestForm1Startup::unreadableSettingsAreRepairedKeepingABackup()
{
    QFETCH(QByteArray, settings);
    Form1Fixture fixture;
    fixture.write("vortline.cfg", settings);
    fixture.write("vortline.cfg.bak", "an older backup");
    fixture.write("servers.vtl", "0.0.0.0\r\n");

    QWidget& window = fixture.start();

    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].text, kError001);
    QCOMPARE(fixture.platform.log,
             QStringList({"message", "write vortline.cfg.bak", "write vortline.cfg", "end"}));
    QCOMPARE(fixture.read("vortline.cfg"), kDefaultRecord);
    QCOMPARE(fixture.read("vortline.cfg.bak"), settings);
    QVERIFY(!window.isVisible());
}

void TestForm1Startup::settingsWithExtraTextLoad_data()
{
    QTest::addColumn<QByteArray>("tail");
    QTest::newRow("ninth field") << QByteArray(",\"ninth\"\r\n");
    QTest::newRow("second line") << QByteArray("\r\n\"second\",\"line\"\r\n");
    QTest::newRow("no line end") << QByteArray();
}

void TestForm1Startup::settingsWithExtraTextLoad()
{
    QFETCH(QByteArray, tail);
    Form1Fixture fixture;
    const QString game = fixture.makeGame();
    fixture.write("vortline.cfg", '"' + game.toLatin1() +
                                      R"(","Player","Sarge","1.2.3.4","q3dm1.bsp",1,"0",1)" + tail);
    fixture.write("servers.vtl", "0.0.0.0\r\n");

    QWidget& window = fixture.start();

    QVERIFY(fixture.platform.log.isEmpty());
    QVERIFY(window.isVisible());
    QCOMPARE(control<QLineEdit>(window, "Text1")->text(),
             QStringLiteral("+name Player +set cheats 1 +connect 1.2.3.4         +model Sarge "));
}

void TestForm1Startup::unreadableServerListIsRepairedInPlace()
{
    Form1Fixture fixture;
    fixture.write("vortline.cfg", kDefaultRecord);
    fixture.write("SERVERS.VTL", QByteArray());

    QWidget& window = fixture.start();

    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].text, kError002);
    QVERIFY(!window.isVisible());
    // The list keeps the spelling it had, so no second list appears beside it.
    QCOMPARE(fixture.fileNames(), QStringList({"SERVERS.VTL", "servers.vtl.bak", "vortline.cfg"}));
    QCOMPARE(fixture.read("SERVERS.VTL"), QByteArray("0.0.0.0\r\n"));
    QCOMPARE(fixture.read("servers.vtl.bak"), QByteArray());
}

void TestForm1Startup::repairThatCannotWriteSaysSoAndEnds()
{
    Form1Fixture fixture;
    fixture.platform.failWritesTo("vortline.cfg");

    QWidget& window = fixture.start();

    QCOMPARE(fixture.platform.messages.size(), 2);
    QCOMPARE(fixture.platform.messages[0].text, kError001);
    QVERIFY(fixture.platform.messages[1].text.startsWith("vortline.cfg could not be written"));
    QCOMPARE(fixture.platform.messages[1].icon, MessageIcon::Critical);
    QCOMPARE(fixture.platform.log.last(), QStringLiteral("end"));
    QCOMPARE(fixture.platform.endCount, 1);
    QVERIFY(!window.isVisible());
    QVERIFY(!fixture.exists("vortline.cfg"));
}

void TestForm1Startup::repairKeepsTheFileWhenNoBackupCanBeKept()
{
    const QByteArray settings = "\"NOTSET\",\"Name\",\"Sarge\",\" \",\"\",0,0,7\r\n";
    Form1Fixture fixture;
    fixture.write("vortline.cfg", settings);
    fixture.platform.failWritesTo("vortline.cfg.bak");

    fixture.start();

    QCOMPARE(fixture.platform.messages.size(), 2);
    QVERIFY(fixture.platform.messages[1].text.startsWith("vortline.cfg could not be written"));
    QCOMPARE(fixture.read("vortline.cfg"), settings);
    QCOMPARE(fixture.platform.endCount, 1);
}

void TestForm1Startup::mapFolderNotFoundOpensThePicker_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("messageDirectory");

    QTest::newRow("marker in lower case") << "notset"
                                          << "notset/baseq3/maps";
    QTest::newRow("marker with a blank") << "NOTSET "
                                         << "NOTSET /baseq3/maps";
    QTest::newRow("no trailing separator") << "<game>"
                                           << "<game>/baseq3/maps";
    QTest::newRow("no maps folder") << "<bare>/"
                                    << "<bare>//baseq3/maps";
}

void TestForm1Startup::mapFolderNotFoundOpensThePicker()
{
    QFETCH(QString, directory);
    QFETCH(QString, messageDirectory);
    Form1Fixture fixture;
    QString game = fixture.makeGame();
    game.chop(1);
    const QString bare = QDir::current().filePath(QStringLiteral("bare"));
    QDir().mkpath(bare);
    directory.replace("<game>", game).replace("<bare>", bare);
    messageDirectory.replace("<game>", game).replace("<bare>", bare);
    fixture.writeValidFiles(directory);
    const QByteArray saved = fixture.read("vortline.cfg");

    QWidget& window = fixture.start();

    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].text,
             "ERROR\r\rINIT FAIL Directory " + messageDirectory + "   NOT FOUND");
    QCOMPARE(fixture.platform.messages[0].icon, MessageIcon::None);
    QCOMPARE(fixture.platform.log, QStringList({"message"}));
    // The user chooses another directory; nothing is saved until then.
    QVERIFY(window.isVisible());
    QVERIFY(control<QFrame>(window, "Frame1")->isVisible());
    QVERIFY(control<QTimer>(window, "Timer1")->isActive());
    QCOMPARE(fixture.read("vortline.cfg"), saved);
    QCOMPARE(control<QComboBox>(window, "Combo1")->count(), 0);
    QCOMPARE(control<QLabel>(window, "VerFRM")->text(), QStringLiteral("Version"));
}

namespace {

using Files = QList<std::pair<QString, QByteArray>>;

QByteArray mapsArchive(const QStringList& entryNames)
{
    zipfiles::Entries entries;
    for (const QString& name : entryNames)
        entries.append({name, "IBSP"});
    return zipfiles::zipBytes(entries);
}

} // namespace

void TestForm1Startup::mapsFromArchives_data()
{
    QTest::addColumn<QStringList>("folder"); // empty: no maps folder
    QTest::addColumn<Files>("archives");     // in baseq3, beside the player's own
    QTest::addColumn<QStringList>("maps");   // empty: INIT FAIL

    const Files game{{"pak0.pk3", mapsArchive({"maps/q3dm1.bsp", "maps/q3dm17.bsp"})}};
    QTest::newRow("archives alone")
        << QStringList{} << game << QStringList{"q3dm1.bsp", "Q3DM17.bsp", "user.bsp"};
    QTest::newRow("the folder's file first, then the later archive's; none with a quote")
        << QStringList{"Q3DM1.BSP", "loose.map", "q\"uote.bsp"}
        << Files{{"pak0.pk3", mapsArchive({"maps/q3dm1.bsp", "maps/Only0.bsp"})},
                 {"PAK1.PK3",
                  mapsArchive({"maps/ONLY0.bsp", "MAPS/Upper.BSP", "maps/sub/deep.bsp", "maps/.bsp",
                               "textures/maps/wall.bsp", "maps/x.txt", "maps/say\"hi.bsp"})}}
        << QStringList{"loose.map",  "ONLY0.bsp", "Q3DM1.BSP",
                       "Q3DM17.bsp", "Upper.BSP", "user.bsp"};
    // "+map +set cheats 1" would set cheats; a name that is not UTF-8 would
    // be sent as other bytes than the archive's.
    QTest::newRow("none the game's command line cannot carry as one word")
        << QStringList{"sp ace.bsp", "+plus.bsp", "tab\tbed.bsp", "semi;colon.bsp", "in+side.map"}
        << Files{{"pak0.pk3",
                  mapsArchive({"maps/+set cheats 1.bsp", "maps/+dm1.bsp", "maps/sp ace2.bsp",
                               "maps/a;quit.bsp", "maps/@@bad.bsp", "maps/kept+.bsp"})
                      .replace("maps/@@bad.bsp", "maps/\xff\xfe"
                                                 "bad.bsp")}}
        << QStringList{"in+side.map", "kept+.bsp", "Q3DM17.bsp", "user.bsp"};
    QTest::newRow("damaged archives and other files among good ones")
        << QStringList{}
        << Files{{"pak0.pk3", mapsArchive({"maps/kept.bsp"})},
                 {"pak1.pk3", "not an archive at all"},
                 {"pak2.pk3", mapsArchive({"maps/cut.bsp"}).chopped(30)},
                 {"pak3.pk3", QByteArray()},
                 {"maps.zip", mapsArchive({"maps/zip.bsp"})},
                 {"pak0.pk3.bak", mapsArchive({"maps/bak.bsp"})}}
        << QStringList{"kept.bsp", "Q3DM17.bsp", "user.bsp"};
    QTest::newRow("the player's archives are not the game")
        << QStringList{} << Files{{"pak0.pk3", mapsArchive({"maps/sub/q3dm1.bsp"})}}
        << QStringList{};
}

void TestForm1Startup::mapsFromArchives()
{
    QFETCH(QStringList, folder);
    QFETCH(Files, archives);
    QFETCH(QStringList, maps);
    Form1Fixture fixture;
    QString game = fixture.makeGame(folder);
    if (folder.isEmpty())
        QVERIFY(QDir(game + "baseq3/maps").removeRecursively());
    for (const auto& [name, bytes] : archives)
        fixture.write(game + "baseq3/" + name, bytes);
    QVERIFY(QDir().mkpath(QStringLiteral("home/folder.pk3")));
    fixture.write("home/map-pack.pk3", mapsArchive({"maps/Q3DM17.bsp", "maps/user.bsp"}));
    fixture.platform.playerFolder = QDir::current().filePath(QStringLiteral("home"));
    fixture.writeValidFiles(game);

    QWidget& window = fixture.start();

    QCOMPARE(fixture.platform.log, maps.isEmpty() ? QStringList{"message"} : QStringList{});
    QCOMPARE(listItems(control<QListWidget>(window, "File1")), maps);
    QCOMPARE(control<QFrame>(window, "Frame1")->isVisible(), maps.isEmpty());
}

void TestForm1Startup::emptyDirectoryTextUsesTheWorkingDirectory()
{
    Form1Fixture fixture;
    fixture.writeValidFiles(QString());
    QDir().mkpath(QStringLiteral("baseq3/maps"));

    QWidget& window = fixture.start();

    QVERIFY(fixture.platform.log.isEmpty());
    QVERIFY(window.isVisible());
}

void TestForm1Startup::validStartRestoresTheControls()
{
    Form1Fixture fixture;
    const QString game = fixture.makeGame(
        {"q3dm17.bsp", "Q3TOURNEY2.BSP", "arena.map", "q3dm1.bsp", "readme.txt", "q3dm2.bsp.bak"});
    fixture.write("vortline.cfg", record(game, R"("Player","Sarge","far away","q3dm1.bsp",2,1,1)"));
    fixture.write("servers.vtl", "0.0.0.0\r\n");

    QWidget& window = fixture.start();

    QVERIFY(fixture.platform.log.isEmpty());
    QVERIFY(window.isVisible());
    QCOMPARE(control<QLineEdit>(window, "QDirectory")->text(), game);
    QCOMPARE(control<QLineEdit>(window, "Text2")->text(), QStringLiteral("Player"));
    auto* models = control<QComboBox>(window, "Combo1");
    QCOMPARE(models->currentText(), QStringLiteral("Sarge"));
    QCOMPARE(listItems(models), QStringList({"Decay", "Ned", "Sarge", "terrance"}));
    QCOMPARE(control<ui::ValueCheckBox>(window, "Check1")->value(), 2);
    QCOMPARE(control<ui::ValueCheckBox>(window, "Check2")->value(), 1);
    QCOMPARE(control<ui::ValueCheckBox>(window, "Check3")->value(), 1);
    auto* servers = control<QComboBox>(window, "Combo2");
    QVERIFY(servers->isEnabled());
    // The server list's own window is made only when it first drops down.
    QVERIFY(!servers->findChild<QAbstractItemView*>());
    QCOMPARE(servers->currentText(), QStringLiteral("far away       "));
    auto* maps = control<QListWidget>(window, "File1");
    QCOMPARE(listItems(maps),
             QStringList({"arena.map", "q3dm1.bsp", "q3dm17.bsp", "Q3TOURNEY2.BSP"}));
    QVERIFY(maps->selectedItems().isEmpty());
    QCOMPARE(control<QLabel>(window, "VerFRM")->text(), QStringLiteral("Version 1.0.17"));
    QVERIFY(control<QFrame>(window, "Frame1")->isHidden());
    QCOMPARE(
        control<QLineEdit>(window, "Text1")->text(),
        QStringLiteral("+name Player +set dedicated 1 +connect far away        +model Sarge "));
    // Selected rows and selected text read as well as any other text.
    for (QWidget* selecting : {static_cast<QWidget*>(maps), static_cast<QWidget*>(models->view()),
                               static_cast<QWidget*>(control<QLineEdit>(window, "Text1"))}) {
        const QPalette palette = selecting->palette();
        QVERIFY2(ui::contrastRatio(palette.color(QPalette::HighlightedText),
                                   palette.color(QPalette::Highlight)) >= ui::kReadableContrast,
                 selecting->objectName().toLatin1());
    }
}

QTEST_MAIN(TestForm1Startup)
#include "tst_Form1Startup.moc"
