#include "app/ArchivesAhead.h"
#include "app/GameContent.h"
#include "app/MapTips.h"
#include "support/TemporaryWorkingDirectory.h"
#include "support/ZipFiles.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTest>

#include <system_error>

using Files = QList<std::pair<QString, QByteArray>>;

class TestMapTips : public QObject {
    Q_OBJECT

private slots:
    void mapTips_data();
    void mapTips();
    void listsWhenNoThreadCanStart();
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

// Which of the pure colours the pictures here are made of a picture shows;
// empty for none.
QString colourOf(const QPixmap& picture)
{
    if (picture.isNull())
        return {};
    const QColor middle = picture.toImage().pixelColor(picture.width() / 2, picture.height() / 2);
    return middle.red() > 128 ? "red" : middle.green() > 128 ? "green" : "blue";
}

} // namespace

void TestMapTips::mapTips_data()
{
    QTest::addColumn<Files>("levelshots");
    QTest::addColumn<Files>("archives");
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("text");

    const QColor red(Qt::red);
    const QColor blue(Qt::blue);
    const QColor green(Qt::green);
    const QByteArray arena("{ map \"dm1\" longname \"First\" type \"ffa team\" }");
    const Files pictured{
        {"pak0.pk3",
         zipfiles::zipBytes({{"levelshots/dm1.jpg", jpeg(red)}, {"scripts/a.arena", arena}})},
        {"pak1.pk3",
         zipfiles::zipBytes({{"LevelShots/DM1.JPG", jpeg(blue)}, {"maps/dm1.bsp", "IBSP"}})}};
    QTest::newRow("the later archive's picture, the script's names")
        << Files{} << pictured << "dm1.bsp"
        << "blue"
        << "First\nGame types: ffa team";
    QTest::newRow("the folder's picture first")
        << Files{{"DM1.jpg", jpeg(green)}} << pictured << "DM1.BSP"
        << "green"
        << "First\nGame types: ffa team";
    QTest::newRow("a TGA before a JPEG, as the game looks")
        << Files{{"dm1.jpg", jpeg(green)}}
        << Files{{"pak2.pk3", zipfiles::zipBytes({{"levelshots/dm1.tga", tga(red)}})}} << "dm1.bsp"
        << "red"
        << "dm1";
    // Read as the game reads them: comments, keys in any case, colour codes
    // taken out, a value on its key's line only, a script cut off anywhere.
    const Files scripts{
        {"pak0.pk3", zipfiles::zipBytes({{"scripts/arenas.txt", arena}})},
        {"pak1.pk3",
         zipfiles::zipBytes({{"scripts/zz.ARENA", "/* { map dm1 longname Hidden } */\n"
                                                  "{ MAP dm1 // the map\nLongName \"^1Sec^7ond\"\n"
                                                  "type\n}\n{ map dm2 longname \"Cut short"}})}};
    QTest::newRow("a later script wins") << Files{} << scripts << "dm1.bsp"
                                         << ""
                                         << "Second";
    QTest::newRow("a script cut off") << Files{} << scripts << "dm2.bsp"
                                      << ""
                                      << "Cut short";
    const QByteArray codes = QByteArray("a^1").repeated(340000);
    QTest::newRow("a megabyte of colour codes")
        << Files{}
        << Files{{"pak0.pk3", zipfiles::zipBytes({{"scripts/codes.arena",
                                                   "{ map dm3 longname \"" + codes + "\" }"}})}}
        << "dm3.bsp"
        << "" << QString(340000, 'a');
    QTest::newRow("nothing known: no tip") << Files{} << pictured << "dm2.bsp"
                                           << ""
                                           << "";
}

void TestMapTips::mapTips()
{
    QFETCH(Files, levelshots);
    QFETCH(Files, archives);
    QFETCH(QString, map);
    QFETCH(QString, picture);
    QFETCH(QString, text);
    TemporaryWorkingDirectory directory;
    writeFiles(QStringLiteral("baseq3"), archives);
    writeFiles(QStringLiteral("baseq3/levelshots"), levelshots);

    // Milliseconds as a rule; seconds would be a fault.
    QElapsedTimer timer;
    timer.start();
    app::MapTips tips;
    tips.reset(app::GameContent::read(QStringLiteral("baseq3")),
               QStringLiteral("baseq3/levelshots"));
    // The scripts were read with the listing: a tip opens only the archive
    // of its picture, and the others may go.
    for (const auto& [name, bytes] : archives) {
        if (!bytes.toLower().contains("levelshots/"))
            QVERIFY(QFile::remove(QStringLiteral("baseq3/") + name));
    }
    const ui::PictureTipContent tip = tips.tipFor(map);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed()) + " ms"));
    // Kept once read: the files may go.
    QVERIFY(QDir(QStringLiteral("baseq3")).removeRecursively());
    const ui::PictureTipContent again = tips.tipFor(map);

    QCOMPARE(tip.text, text);
    QCOMPARE(colourOf(tip.picture), picture);
    QCOMPARE(again.text, text);
    QCOMPARE(again.picture.cacheKey(), tip.picture.cacheKey());
}

// At the system's limit of threads std::async throws; the listing must then
// be made on the caller's thread rather than end the program.
void TestMapTips::listsWhenNoThreadCanStart()
{
    TemporaryWorkingDirectory directory;
    // Enough archives for the listing itself to want a second thread.
    Files archives;
    for (int i = 0; i < 20; ++i)
        archives.append({QStringLiteral("pak%1.pk3").arg(i),
                         zipfiles::zipBytes({{QStringLiteral("maps/m%1.bsp").arg(i), "IBSP"}})});
    writeFiles(QStringLiteral("baseq3"), archives);
    const app::StartListing noThread = [](auto) -> std::future<app::GameContent> {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    };

    const QStringList folder{QStringLiteral("baseq3")};
    QCOMPARE(app::ArchivesAhead(folder, noThread).take(folder[0]).mapFiles().size(), 20);
    QCOMPARE(app::GameContent::readArchives(app::GameContent::archivesIn(folder[0]), noThread)
                 .mapFiles()
                 .size(),
             20);
}

QTEST_MAIN(TestMapTips)
#include "tst_MapTips.moc"
