#include "persist/LauncherSettings.h"

#include <QTest>

using persist::LauncherSettings;

Q_DECLARE_METATYPE(LauncherSettings)

class TestLauncherSettings : public QObject {
    Q_OBJECT

private slots:
    void defaultRecordIsExact();
    void writesTheRecord();
    void readsBackWhatItWrites_data();
    void readsBackWhatItWrites();
    void refusesBadRecords_data();
    void refusesBadRecords();
    void convertsFields();
    void readsEncodings_data();
    void readsEncodings();
};

void TestLauncherSettings::defaultRecordIsExact()
{
    const QByteArray bytes = *persist::writeSettingsRecord(persist::defaultSettings());
    QCOMPARE(bytes, QByteArray("\"NOTSET\",\"Name\",\"Select Skin\",\" \",\" \",0,0,0\r\n"));
    QCOMPARE(bytes.size(), 45);
}

void TestLauncherSettings::writesTheRecord()
{
    const LauncherSettings settings{"NOTSET", "Name", "Sarge", "0.0.0.0        ", "", 1, 0, 1};
    QCOMPARE(persist::writeSettingsRecord(settings),
             QByteArray("\"NOTSET\",\"Name\",\"Sarge\",\"0.0.0.0        \",\"\",1,0,1\r\n"));

    const LauncherSettings odd{"C:\\Q3\\", "a,\"b\"", "é☃", "s", "m.bsp", 2, 2, 0};
    QCOMPARE(
        persist::writeSettingsRecord(odd),
        QByteArray("\"C:\\Q3\\\",\"a,\"b\"\",\"\xC3\xA9\xE2\x98\x83\",\"s\",\"m.bsp\",2,2,0\r\n"));

    // Half a surrogate pair has no encoding: refused rather than saved as "?".
    LauncherSettings unencodable = settings;
    unencodable.playerName = QString(QChar(0xD800));
    QVERIFY(!persist::writeSettingsRecord(unencodable));
}

void TestLauncherSettings::readsBackWhatItWrites_data()
{
    QTest::addColumn<LauncherSettings>("settings");
    QTest::newRow("defaults") << persist::defaultSettings();
    QTest::newRow("all set") << LauncherSettings{"/games/q3/", "Player", "Sarge", "0.0.0.0        ",
                                                 "q3dm17.bsp", 1,        2,       1};
    QTest::newRow("empty texts") << LauncherSettings{"", "", "", "", "", 0, 0, 0};
    QTest::newRow("quotes in a name")
        << LauncherSettings{"d/", "Mr \"X\"", "\"Sarge\"", "s", "", 0, 1, 0};
    QTest::newRow("Latin-1") << LauncherSettings{"/jeux/", "Zoë", "Ned", "hôte", "", 0, 0, 0};
    QTest::newRow("NUL in a name")
        << LauncherSettings{"d/", QString::fromLatin1("a\0b", 3), "m", "s", "", 0, 0, 0};
    QTest::newRow("a text that starts with a byte-order mark")
        << LauncherSettings{QStringLiteral("\uFEFF/q3/"), "n", "m", "s", "", 0, 0, 0};
    QTest::newRow("Cyrillic, euro, long server") << LauncherSettings{
        "/home/u/Игры/quake3/", "Игрок€", "Ned", "q3.fragfest.example.net:27960", "", 0, 0, 1};
}

void TestLauncherSettings::readsBackWhatItWrites()
{
    QFETCH(LauncherSettings, settings);
    const auto read = persist::readSettingsRecord(*persist::writeSettingsRecord(settings));
    QVERIFY(read);
    LauncherSettings expected = settings;
    expected.server = settings.server.leftJustified(15);
    expected.mapFile.clear();
    QCOMPARE(*read, expected);
}

void TestLauncherSettings::refusesBadRecords_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("seven fields") << QByteArray("\"a\",\"b\",\"c\",\"d\",\"e\",0,0\r\n");
    QTest::newRow("check of 3") << QByteArray("\"a\",\"b\",\"c\",\"d\",\"e\",0,3,0\r\n");
    QTest::newRow("check word") << QByteArray("\"a\",\"b\",\"c\",\"d\",\"e\",0,0,on\r\n");
}

void TestLauncherSettings::refusesBadRecords()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!persist::readSettingsRecord(bytes));
}

void TestLauncherSettings::convertsFields()
{
    const auto read = persist::readSettingsRecord(
        "\"d\",\"n\",\"m\",\"a server name past fifteen\",\"map\",\"1\",,1.5,\"ninth\"\r\nmore");
    QVERIFY(read);
    QCOMPARE(read->server, QStringLiteral("a server name past fifteen"));
    QCOMPARE(read->cheats, 1);
    QCOMPARE(read->dedicated, 0);
    QCOMPARE(read->connect, 2);
    QVERIFY(read->mapFile.isEmpty());

    const auto spread = persist::readSettingsRecord("\"d\"\r\n\"n\"\r\n\"m\",\"\",\"\"\r\n0,1,0");
    QVERIFY(spread);
    QCOMPARE(spread->server, QString(15, QLatin1Char(' ')));
    QCOMPARE(spread->dedicated, 1);

    const auto padded = persist::readSettingsRecord(
        "\"C:\\Games\\Quake3\\\" ,\"Name\",\"Sarge\"\t,\"0.0.0.0        \"  ,"
        "\"q3dm17.bsp\",1 ,0,\"1\" \r\n");
    QVERIFY(padded);
    QCOMPARE(*padded, (LauncherSettings{"C:\\Games\\Quake3\\", "Name", "Sarge", "0.0.0.0        ",
                                        "", 1, 0, 1}));
}

void TestLauncherSettings::readsEncodings_data()
{
    QTest::addColumn<QByteArray>("firstFields");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("name");

    QTest::newRow("ASCII") << QByteArray("\"/q3/\",\"Name\"") << "/q3/"
                           << "Name";
    QTest::newRow("Latin-1, as written before") << QByteArray("\"/jeux/\",\"Zo\xEB\"") << "/jeux/"
                                                << "Zoë";
    QTest::newRow("UTF-8") << QByteArray("\"/\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B/\",\"\xE2\x82\xAC\"")
                           << "/Игры/"
                           << "€";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF\"/q3/\",\"\xC3\xA9\"") << "/q3/"
                                     << "é";
    QTest::newRow("mark before an unquoted field") << QByteArray("\xEF\xBB\xBF/q3/,N") << "/q3/"
                                                   << "N";
    QTest::newRow("invalid UTF-8 reads as Latin-1")
        << QByteArray("\"\xC3(\",\"\xC3\xA9\xFF\"") << "Ã("
        << "Ã©ÿ";
}

void TestLauncherSettings::readsEncodings()
{
    QFETCH(QByteArray, firstFields);
    QFETCH(QString, directory);
    QFETCH(QString, name);
    const auto read = persist::readSettingsRecord(firstFields + ",\"m\",\"s\",\"\",0,0,0\r\n");
    QVERIFY(read);
    QCOMPARE(read->gameDirectory, directory);
    QCOMPARE(read->playerName, name);
}

QTEST_APPLESS_MAIN(TestLauncherSettings)
#include "tst_LauncherSettings.moc"
