#include "app/GameContent.h"
#include "app/MapTips.h"
#include "support/TemporaryWorkingDirectory.h"
#include "support/ZipFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTest>

using Files = QList<std::pair<QString, QByteArray>>;

class TestMapTips : public QObject {
    Q_OBJECT

private slots:
    void mapTips_data();
    void mapTips();
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

    app::MapTips tips;
    tips.reset(app::GameContent::read(QStringLiteral("baseq3")),
               QStringLiteral("baseq3/levelshots"));
    const ui::PictureTipContent tip = tips.tipFor(map);
    // Kept once read: the files may go.
    QVERIFY(QDir(QStringLiteral("baseq3")).removeRecursively());
    const ui::PictureTipContent again = tips.tipFor(map);

    QCOMPARE(tip.text, text);
    QCOMPARE(colourOf(tip.picture), picture);
    QCOMPARE(again.text, text);
    QCOMPARE(again.picture.cacheKey(), tip.picture.cacheKey());
}

QTEST_MAIN(TestMapTips)
#include "tst_MapTips.moc"
