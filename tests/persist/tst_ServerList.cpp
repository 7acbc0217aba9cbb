#include "persist/MasterList.h"
#include "persist/MasterListFile.h"
#include "persist/ServerList.h"
#include "support/FakePlatform.h"
#include "support/TemporaryWorkingDirectory.h"

#include <QTest>

class TestServerList : public QObject {
    Q_OBJECT

private slots:
    void readsEntries_data();
    void readsEntries();
    void writesLines();
    void keepsMasters_data();
    void keepsMasters();
};

namespace {
QString padded(const char* text)
{
    return QString::fromLatin1(text).leftJustified(15);
}
} // namespace

void TestServerList::readsEntries_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("readable");

    QTest::newRow("empty file fails") << QByteArray() << QStringList{} << false;
    QTest::newRow("default list") << QByteArray("0.0.0.0\r\n") << QStringList{padded("0.0.0.0")}
                                  << true;
    QTest::newRow("file order kept")
        << QByteArray("b\r\na\r\n") << QStringList{padded("b"), padded("a")} << true;
    QTest::newRow("blank line") << QByteArray("\r\n") << QStringList{padded("")} << true;
    QTest::newRow("comma gives two")
        << QByteArray("a,b\r\n") << QStringList{padded("a"), padded("b")} << true;
    QTest::newRow("quotes dropped") << QByteArray("\"q\"\r\n") << QStringList{padded("q")} << true;
    QTest::newRow("no final line end")
        << QByteArray("a\r\nb") << QStringList{padded("a"), padded("b")} << true;
    QTest::newRow("longer than fifteen kept whole")
        << QByteArray("q3.fragfest.example.net:27960\r\n")
        << QStringList{"q3.fragfest.example.net:27960"} << true;
    QTest::newRow("padded entry reads back the same")
        << QByteArray("0.0.0.0        \r\n") << QStringList{padded("0.0.0.0")} << true;
    QTest::newRow("Latin-1 line, UTF-8 line, after a mark")
        << QByteArray("\xEF\xBB\xBFh\xF4te\r\n\xD1\x81\xD0\xB5\xD1\x80\xD0\xB2\r\n")
        << QStringList{QStringLiteral("hôte").leftJustified(15),
                       QStringLiteral("серв").leftJustified(15)}
        << true;
}

void TestServerList::readsEntries()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QFETCH(bool, readable);
    const auto read = persist::readServerList(bytes);
    QCOMPARE(read.has_value(), readable);
    if (read)
        QCOMPARE(*read, entries);
}

void TestServerList::writesLines()
{
    QCOMPARE(persist::defaultServerList(), QByteArray("0.0.0.0\r\n"));
    QCOMPARE(persist::writeServerLine(QStringLiteral(" a,\"b\" ")), QByteArray(" a,\"b\" \r\n"));
    QCOMPARE(persist::writeServerLine(QStringLiteral("☃")), QByteArray("\xE2\x98\x83\r\n"));
    QVERIFY(!persist::writeServerLine(QString(QChar(0xDC00))));
}

void TestServerList::keepsMasters_data()
{
    // The file as found (null: missing), the masters read, and the bytes they are written as.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("masters");
    QTest::addColumn<QByteArray>("written");
    const QStringList defaults = persist::defaultMasters();
    QTest::newRow("missing: the defaults, nothing written")
        << QByteArray() << defaults
        << QByteArray("directory.ioquake3.org\r\ndpmaster.deathmask.net\r\n"
                      "master.quake3arena.com\r\nmaster.maverickservers.com\r\n");
    QTest::newRow("empty: no masters") << QByteArray("") << QStringList{} << QByteArray("");
    QTest::newRow("an editor's line ends, blanks and blank lines")
        << QByteArray("  a.example:27951 \n\n\tb.example\r\n\r\n")
        << QStringList{"a.example:27951", "b.example"}
        << QByteArray("a.example:27951\r\nb.example\r\n");
}

void TestServerList::keepsMasters()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, masters);
    QFETCH(QByteArray, written);
    TemporaryWorkingDirectory directory;
    platform::FakePlatform platform;
    if (!file.isNull())
        platform.writeFile(QStringLiteral("masters.vtl"), file);
    platform.log.clear();
    QCOMPARE(persist::readMasterListFile(platform), masters);
    QVERIFY(platform.log.isEmpty()); // reading writes nothing, the defaults included
    QCOMPARE(persist::writeMasterListFile(platform, masters), persist::WriteOutcome::Written);
    QCOMPARE(*platform.readFile(QStringLiteral("masters.vtl")), written);
    // A disk that refuses the write leaves the list as it was.
    platform.failWritesTo(QStringLiteral("MASTERS.VTL"));
    QCOMPARE(persist::writeMasterListFile(platform, {QStringLiteral("other.example")}),
             persist::WriteOutcome::NotWritten);
    QCOMPARE(*platform.readFile(QStringLiteral("masters.vtl")), written);
}

QTEST_APPLESS_MAIN(TestServerList)
#include "tst_ServerList.moc"
