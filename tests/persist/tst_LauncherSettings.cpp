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
};

void TestLauncherSettings::defaultRecordIsExact()
{
    const QByteArray bytes = persist::writeSettingsRecord(persist::defaultSettings());
    QCOMPARE(bytes, QByteArray("\"NOTSET\",\"Name\",\"Select Skin\",\" \",\" \",0,0,0\r\n"));
    QCOMPARE(bytes.size(), 45);
}

void TestLauncherSettings::writesTheRecord()
{
    const LauncherSettings settings{"NOTSET", "Name", "Sarge", "0.0.0.0        ", "", 1, 0, 1};
    QCOMPARE(persist::writeSettingsRecord(settings),
             QByteArray("\"NOTSET\",\"Name\",\"Sarge\",\"0.0.0.0        \",\"\",1,0,1\r\n"));

    const LauncherSettings odd{"C:\\Q3\\", "a,\"b\"", "é☃", "s", "m.bsp", 2, 2, 0};
    QCOMPARE(persist::writeSettingsRecord(odd),
             QByteArray("\"C:\\Q3\\\",\"a,\"b\"\",\"\xE9?\",\"s\",\"m.bsp\",2,2,0\r\n"));
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
}

void TestLauncherSettings::readsBackWhatItWrites()
{
    QFETCH(LauncherSettings, settings);
    const auto read = persist::readSettingsRecord(persist::writeSettingsRecord(settings));
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
    QCOMPARE(read->server, QStringLiteral("a server name p"));
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

QTEST_APPLESS_MAIN(TestLauncherSettings)
#include "tst_LauncherSettings.moc"
