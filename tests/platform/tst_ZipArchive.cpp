#include "platform/ZipArchive.h"
#include "support/ZipFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using platform::ZipArchive;

namespace {

const QByteArray none = "<none>";
const QByteArray closed = "<closed>";
const QByteArray map("IBSP\x2e\0\0\0", 8);
const zipfiles::Entries entries = {
    {"maps/q3dm17.bsp", map},
    {"Scripts/Arenas.TXT", "{ map \"q3dm17\" }"},
    {"models/players/sarge/", {}},
    {"levelshots/Ünïcode-карта.jpg", "\xff\xd8\xff"},
    {"zeros.bin", QByteArray(100000, '\0')},
};

QByteArray damaged(QByteArray bytes, qsizetype at, char value)
{
    bytes[at] = value;
    return bytes;
}

// The same archive ended as zip64 writes it for many or large entries: its
// counts, size and offset in a zip64 end record, found through a locator
// before the plain end record, which holds only "see there" values.
QByteArray asZip64(const QByteArray& zip)
{
    const qsizetype end = zip.size() - 22;
    const auto number = [&zip](qsizetype at, int bytes) {
        quint64 value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = value << 8 | quint8(zip[at + i]);
        return value;
    };
    QByteArray bytes = zip.first(end);
    const auto put = [&bytes](quint64 value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.append(char(value >> (8 * i)));
    };
    put(0x06064b50, 4);
    put(44, 8);
    put(45, 2);
    put(45, 2);
    put(0, 4);
    put(0, 4);
    put(number(end + 10, 2), 8);
    put(number(end + 10, 2), 8);
    put(number(end + 12, 4), 8);
    put(number(end + 16, 4), 8);
    put(0x07064b50, 4);
    put(0, 4);
    put(quint64(end), 8);
    put(1, 4);
    put(0x06054b50, 4);
    put(0, 4);
    put(0xffffffff, 4);
    put(0xffffffff, 4);
    put(0xffffffff, 4);
    put(0, 2);
    return bytes;
}

} // namespace

class TestZipArchive : public QObject {
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void opensOnlyFiles();

private:
    QTemporaryDir directory_;
};

void TestZipArchive::reads_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<qint64>("maxBytes");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");

    const QByteArray pk3 = zipfiles::zipBytes(entries);
    QStringList names;
    for (const auto& stored : entries)
        names << stored.first;
    const qint64 mib = 1 << 20;
    QTest::newRow("other letter case") << pk3 << "scripts/arenas.txt" << mib << none << names;
    QTest::newRow("utf-8 name") << pk3 << "levelshots/Ünïcode-карта.jpg" << mib << entries[3].second
                                << names;
    QTest::newRow("exactly at limit")
        << pk3 << "zeros.bin" << qint64(100000) << entries[4].second << names;
    QTest::newRow("one byte over limit") << pk3 << "zeros.bin" << qint64(99999) << none << names;
    QTest::newRow("zip64 end record")
        << asZip64(pk3) << "zeros.bin" << mib << entries[4].second << names;
    // Names are bytes: a NUL ends none of them.
    QStringList withNul = names;
    withNul[4] = QString::fromUtf8("zeros\0bin", 9);
    QTest::newRow("name with a NUL")
        << QByteArray(pk3).replace("zeros.bin", QByteArray("zeros\0bin", 9)) << withNul[4] << mib
        << entries[4].second << withNul;

    // Damage to zeros.bin, deflated. Its central record, the 46 bytes before
    // its name's last copy, holds its checksum at 16 and its sizes at 20 and
    // 24; its local header, the 30 bytes before the name's first copy, holds
    // its sizes at 18 and 22. The end record, the last 22 bytes, counts the
    // entries at 8 and 10. Archives that are no archives at all are the map
    // listing's test.
    const qsizetype central = pk3.lastIndexOf("zeros.bin") - 46;
    const qsizetype local = pk3.indexOf("zeros.bin") - 30;
    const qsizetype end = pk3.size() - 22;
    const auto damage = [&](const char* tag, const QByteArray& bytes, const QByteArray& read) {
        QTest::newRow(tag) << bytes << QString("zeros.bin") << mib << read << names;
    };
    damage("wrong checksum", damaged(pk3, central + 16, '\x5a'), none);
    damage("size too small", damaged(pk3, central + 26, 0), none);
    damage("size too large, in both headers alike",
           damaged(damaged(pk3, central + 26, 2), local + 24, 2), none);
    damage("end record cut short", pk3.chopped(1), closed);
    damage("more entries counted than there are", damaged(damaged(pk3, end + 8, 6), end + 10, 6),
           closed);
}

// Every row read through a file and from memory: both must agree.
void TestZipArchive::reads()
{
    QFETCH(QByteArray, archive);
    QFETCH(QString, entry);
    QFETCH(qint64, maxBytes);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);

    QFile file(directory_.filePath("a.pk3"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(archive) == archive.size());
    file.close();
    for (const auto& opened : {ZipArchive::open(file.fileName()), ZipArchive::fromBytes(archive)}) {
        // A directory that breaks off part way refuses the archive as well.
        const auto listed = opened ? opened->entryNames() : std::nullopt;
        QCOMPARE(listed ? opened->read(entry, maxBytes).value_or(none) : closed, bytes);
        QCOMPARE(listed.value_or(names), names);
    }
}

void TestZipArchive::opensOnlyFiles()
{
#ifndef Q_OS_WIN
    // A pipe no one writes to must not stall the caller.
    const QString pipe = directory_.filePath("pipe.pk3");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QVERIFY(!ZipArchive::open(pipe));
#endif
}

QTEST_APPLESS_MAIN(TestZipArchive)
#include "tst_ZipArchive.moc"
