#include "app/ArenaScripts.h"
#include "app/GameContent.h"
#include "app/GameProgram.h"
#include "app/MapTips.h"
#include "support/TemporaryWorkingDirectory.h"
#include "support/ZipFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTest>

using app::ArenaInfo;
using Files = QList<std::pair<QString, QByteArray>>;
using Arenas = QHash<QString, ArenaInfo>;

class TestGameContent : public QObject {
    Q_OBJECT

private slots:
    void archiveMaps_data();
    void archiveMaps();
    void arenaScripts_data();
    void arenaScripts();
    void mapTips_data();
    void mapTips();
    void gameProgram_data();
    void gameProgram();
};

namespace {

void writeFiles(const QString& folder, const Files& files)
{
    QDir().mkpath(folder);
    for (const auto& [name, bytes] : files) {
        QFile file(folder + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
}

QByteArray archive(const zipfiles::Entries& entries)
{
    return zipfiles::zipBytes(entries);
}

QByteArray mapsArchive(const QStringList& entryNames)
{
    zipfiles::Entries entries;
    for (const QString& name : entryNames)
        entries.append({name, "IBSP"});
    return archive(entries);
}

// A one-colour picture in the game's two levelshot formats: JPEG through Qt,
// TGA (which Qt only reads) as its plain uncompressed form.
QByteArray jpeg(QColor colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 100);
    return buffer.data();
}

QByteArray tga(QColor colour)
{
    QByteArray bytes(18, '\0');
    bytes[2] = 2;              // uncompressed true colour
    bytes[12] = bytes[14] = 8; // 8 x 8
    bytes[16] = 24;            // bits per pixel
    for (int i = 0; i < 64; ++i)
        bytes.append(char(colour.blue())).append(char(colour.green())).append(char(colour.red()));
    return bytes;
}

QColor middleOf(const QPixmap& picture)
{
    return picture.toImage().pixelColor(picture.width() / 2, picture.height() / 2);
}

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24 &&
           std::abs(a.blue() - b.blue()) < 24;
}

} // namespace

void TestGameContent::archiveMaps_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("maps");

    QTest::newRow("stock archives")
        << Files{{"pak0.pk3", mapsArchive({"maps/q3dm1.bsp", "maps/q3dm17.bsp", "maps/q3dm1.aas"})},
                 {"pak1.pk3", mapsArchive({"maps/q3ctf1.bsp"})}}
        << QStringList{"q3ctf1.bsp", "q3dm1.bsp", "q3dm17.bsp"};
    QTest::newRow("only maps/ itself, any case")
        << Files{{"z.pk3", mapsArchive({"maps/sub/deep.bsp", "MAPS/Upper.BSP", "maps/.bsp",
                                        "textures/maps/wall.bsp", "maps/", "maps/sub/",
                                        "levelshots/q3dm1.jpg", "maps/readme.txt"})}}
        << QStringList{"Upper.BSP"};
    QTest::newRow("each name once, the later archive's spelling")
        << Files{{"pak0.pk3", mapsArchive({"maps/Q3DM1.bsp", "maps/only0.bsp"})},
                 {"PAK2.PK3", mapsArchive({"maps/q3dm1.BSP"})},
                 {"pak1.pk3", mapsArchive({"maps/q3dm1.bsp", "maps/only1.bsp"})}}
        << QStringList{"only0.bsp", "only1.bsp", "q3dm1.BSP"};
    const QByteArray good = mapsArchive({"maps/kept.bsp"});
    QTest::newRow("damaged archives among good ones")
        << Files{{"pak0.pk3", good},
                 {"pak1.pk3", "not an archive at all"},
                 {"pak2.pk3", mapsArchive({"maps/cut.bsp"}).chopped(30)},
                 {"pak3.pk3", QByteArray()},
                 {"pak4.pk3", mapsArchive({"maps/also.bsp"})}}
        << QStringList{"also.bsp", "kept.bsp"};
    QTest::newRow("only .pk3 files are archives")
        << Files{{"maps.zip", good}, {"pak0.pk3.bak", good}, {"pk3", good}} << QStringList{};
}

void TestGameContent::archiveMaps()
{
    QFETCH(Files, files);
    QFETCH(QStringList, maps);
    TemporaryWorkingDirectory directory;
    writeFiles(QStringLiteral("baseq3"), files);
    QDir().mkpath(QStringLiteral("baseq3/folder.pk3"));

    const app::GameContent content = app::GameContent::read(QStringLiteral("baseq3"));
    QStringList listed = content.mapFiles();
    listed.sort(Qt::CaseInsensitive);

    QCOMPARE(listed, maps);
    QCOMPARE(content.hasMaps(), !maps.isEmpty());
    QCOMPARE(app::offersMaps(QString(), content), !maps.isEmpty());
    QVERIFY(app::GameContent::read(QStringLiteral("missing")).mapFiles().isEmpty());
}

void TestGameContent::arenaScripts_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<Arenas>("arenas");

    const ArenaInfo yard{"The Longest Yard", "ffa tourney"};
    QTest::newRow("as the game ships them")
        << QByteArray("// tier 1\r\n{\r\nmap \"Q3DM17\"\r\nlongname\t\"The Longest Yard\"\r\n"
                      "fraglimit 20\r\ntype \"ffa tourney\"\r\n}\r\n{ map q3dm1 }\r\n")
        << Arenas{{"q3dm17", yard}, {"q3dm1", {}}};
    QTest::newRow("comments, key case and colour codes")
        << QByteArray("/* {\nmap \"hidden\" } */ {\nMAP \"red\" // the map\n"
                      "LongName \"^1Red ^7Room^^ \"\nTYPE ctf\n}")
        << Arenas{{"red", {"Red Room^^", "ctf"}}};
    QTest::newRow("a value belongs to its key's line")
        << QByteArray("{\nmap \"a\"\nlongname\n\"Lost\"\ntype \"ffa\"\n}")
        << Arenas{{"a", {QString(), "ffa"}}};
    QTest::newRow("cut off inside a block or a quote")
        << QByteArray("{ map one longname \"One\" }\n{ map two longname \"Two is cut")
        << Arenas{{"one", {"One", QString()}}, {"two", {"Two is cut", QString()}}};
    QTest::newRow("reading stops where a block should open")
        << QByteArray("{ map one }\nmap two\n{ map three }") << Arenas{{"one", {}}};
    QTest::newRow("a block without a map") << QByteArray("{ longname \"Nowhere\" }") << Arenas{};
    QTest::newRow("nothing") << QByteArray() << Arenas{};
}

void TestGameContent::arenaScripts()
{
    QFETCH(QByteArray, script);
    QFETCH(Arenas, arenas);

    QCOMPARE(app::readArenaScript(script), arenas);
}

void TestGameContent::mapTips_data()
{
    QTest::addColumn<Files>("levelshots");
    QTest::addColumn<Files>("archives");
    QTest::addColumn<QString>("map");
    QTest::addColumn<QColor>("picture"); // invalid: none
    QTest::addColumn<QString>("text");

    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    const QColor green(0, 255, 0);
    const QByteArray arena("{ map \"dm1\" longname \"First\" type \"ffa team\" }");
    const Files pictured{
        {"pak0.pk3", archive({{"levelshots/dm1.jpg", jpeg(red)}, {"scripts/a.arena", arena}})},
        {"pak1.pk3", archive({{"LevelShots/DM1.JPG", jpeg(blue)}, {"maps/dm1.bsp", "IBSP"}})}};
    QTest::newRow("the later archive's picture, the script's names")
        << Files{} << pictured << "dm1.bsp" << blue << "First\nGame types: ffa team";
    QTest::newRow("the folder's picture first")
        << Files{{"DM1.jpg", jpeg(green)}} << pictured << "DM1.BSP" << green
        << "First\nGame types: ffa team";
    QTest::newRow("a TGA before a JPEG, as the game looks")
        << Files{{"dm1.jpg", jpeg(green)}}
        << Files{{"pak2.pk3", archive({{"levelshots/dm1.tga", tga(red)}})}} << "dm1.bsp" << red
        << "dm1";
    QTest::newRow("a picture that cannot be read is none")
        << Files{{"dm1.tga", "garbage"}}
        << Files{{"pak0.pk3", archive({{"scripts/arenas.txt", arena}})}} << "dm1.bsp" << QColor()
        << "First\nGame types: ffa team";
    QTest::newRow("a later script wins")
        << Files{}
        << Files{{"pak0.pk3", archive({{"scripts/arenas.txt", arena}})},
                 {"pak1.pk3", archive({{"scripts/zz.ARENA", "{ map dm1 longname Second }"}})}}
        << "dm1.bsp" << QColor() << "Second";
    QTest::newRow("nothing known: no tip") << Files{} << pictured << "dm2.bsp" << QColor() << "";
}

void TestGameContent::mapTips()
{
    QFETCH(Files, levelshots);
    QFETCH(Files, archives);
    QFETCH(QString, map);
    QFETCH(QColor, picture);
    QFETCH(QString, text);
    TemporaryWorkingDirectory directory;
    writeFiles(QStringLiteral("baseq3"), archives);
    writeFiles(QStringLiteral("baseq3/levelshots"), levelshots);

    app::MapTips tips;
    tips.reset(app::GameContent::read(QStringLiteral("baseq3")),
               QStringLiteral("baseq3/levelshots"));
    const ui::PictureTipContent tip = tips.tipFor(map);
    // Kept once read: the files may go.
    QVERIFY(QDir(QStringLiteral("baseq3")).removeRecursively());
    const ui::PictureTipContent again = tips.tipFor(map);

    QCOMPARE(tip.text, text);
    QCOMPARE(tip.picture.isNull(), !picture.isValid());
    if (picture.isValid())
        QVERIFY2(near(middleOf(tip.picture), picture), qPrintable(middleOf(tip.picture).name()));
    QCOMPARE(again.text, text);
    QCOMPARE(again.picture.cacheKey(), tip.picture.cacheKey());
}

void TestGameContent::gameProgram_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("program");

    QTest::newRow("none: the design's name") << QStringList{"readme.txt"} << "game/"
                                             << "quake3.exe";
#ifndef Q_OS_WIN
    QTest::newRow("the engines in their order")
        << QStringList{"quake3", "quake3e", "ioquake3"} << "game/"
        << "ioquake3";
    QTest::newRow("quake3.exe first, as spelled there")
        << QStringList{"ioquake3.x86_64", "Quake3.EXE"} << "game/"
        << "Quake3.EXE";
    QTest::newRow("only whole names")
        << QStringList{"ioquake3.x86_64.bak", "quake3e.x64"} << "game/"
        << "quake3e.x64";
    QTest::newRow("a directory text without its separator") << QStringList{"ioquake3"} << "game"
                                                            << "quake3.exe";
#endif
}

void TestGameContent::gameProgram()
{
    QFETCH(QStringList, files);
    QFETCH(QString, directory);
    QFETCH(QString, program);
    TemporaryWorkingDirectory working;
    Files empty;
    for (const QString& file : files)
        empty.append({file, QByteArray()});
    writeFiles(QStringLiteral("game"), empty);

    QCOMPARE(app::gameProgramIn(directory), program);
}

QTEST_MAIN(TestGameContent)
#include "tst_GameContent.moc"
