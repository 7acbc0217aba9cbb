#include "status/ServerAddress.h"

#include <QTest>

class TestServerAddress : public QObject {
    Q_OBJECT

private slots:
    void readsEntries_data();
    void readsEntries();
};

void TestServerAddress::readsEntries_data()
{
    QTest::addColumn<QString>("entry");
    // "host:port", or empty for an entry that names no server.
    QTest::addColumn<QString>("address");

    const char* const rows[][2] = {
        {"q3.example.net", "q3.example.net:27960"},
        {"  q3.example.net:1     ", "q3.example.net:1"},
        {"10.0.0.5", "10.0.0.5:27960"},
        {"localhost:065535", "localhost:65535"},
        {"127.1:27961", "127.0.0.1:27961"},
        {"240.0.0.1", "240.0.0.1:27960"},
        {"               ", ""},
        {"q3 example.net", ""},
        {"q3.example.net\t:27960", ""},
        {":27960", ""},
        {"q3.example.net:", ""},
        {"q3.example.net:0", ""},
        {"q3.example.net:65536", ""},
        {"q3.example.net:+80", ""},
        {"[::1]:27960", ""},
        {"0.0.0.0:27960", ""},
        {"4294967295", ""}, // 255.255.255.255
        {"224.0.0.1", ""},
        {"239.255.255.250:1900", ""},
    };
    for (const auto& [entry, address] : rows)
        QTest::addRow("[%s]", entry) << QString(entry) << QString(address);
}

void TestServerAddress::readsEntries()
{
    QFETCH(QString, entry);
    QFETCH(QString, address);
    const auto read = status::serverAddress(entry);
    QCOMPARE(read ? read->host + ':' + QString::number(read->port) : QString(), address);
}

QTEST_APPLESS_MAIN(TestServerAddress)
#include "tst_ServerAddress.moc"
