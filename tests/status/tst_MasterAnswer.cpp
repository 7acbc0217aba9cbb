#include "status/MasterAnswer.h"

#include <QTest>

class TestMasterAnswer : public QObject {
    Q_OBJECT

private slots:
    void readsAnswers_data();
    void readsAnswers();
};

namespace {

QByteArray answer(const QByteArray& records)
{
    return QByteArray("\xFF\xFF\xFF\xFFgetserversResponse") + records;
}

// A record as a master writes it: the address's bytes, then the port's, both
// highest first.
QByteArray record(int a, int b, int c, int d, int port)
{
    const char bytes[] = {'\\',    char(a),         char(b),          char(c),
                          char(d), char(port >> 8), char(port & 0xff)};
    return QByteArray(bytes, sizeof bytes);
}

const QByteArray kEnd("\\EOT\0\0\0", 7);

// The servers read as "address:port", then "end" when the datagram ends the
// list; "not an answer" when it is refused.
QStringList described(const std::optional<status::MasterAnswer>& answer)
{
    if (!answer)
        return {QStringLiteral("not an answer")};
    QStringList lines;
    for (const status::ListedServer& server : answer->servers)
        lines << server.text();
    if (answer->endsList)
        lines << QStringLiteral("end");
    return lines;
}

} // namespace

void TestMasterAnswer::readsAnswers_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QStringList>("read");

    QTest::newRow("two servers, then the end")
        << answer(record(192, 0, 2, 7, 27960) + record(198, 51, 100, 1, 27961) + kEnd)
        << QStringList{"192.0.2.7:27960", "198.51.100.1:27961", "end"};
    QTest::newRow("a datagram of a longer list, without the end")
        << answer(record(192, 0, 2, 7, 27960)) << QStringList{"192.0.2.7:27960"};
    QTest::newRow("backslashes in the address and the port")
        << answer(record(92, 92, 92, 92, 92 * 256 + 92) + kEnd)
        << QStringList{"92.92.92.92:23644", "end"};
    QTest::newRow("an address that begins EOT, with a port")
        << answer(record('E', 'O', 'T', 1, 27960) + kEnd) << QStringList{"69.79.84.1:27960", "end"};
    QTest::newRow("the end cut short")
        << answer(record(192, 0, 2, 7, 27960) + "\\EOT") << QStringList{"192.0.2.7:27960", "end"};
    QTest::newRow("EOF ends it too")
        << answer(record(192, 0, 2, 7, 27960) + "\\EOF") << QStringList{"192.0.2.7:27960", "end"};
    QTest::newRow("a line end after the header")
        << answer('\n' + record(192, 0, 2, 7, 27960) + kEnd)
        << QStringList{"192.0.2.7:27960", "end"};
    QTest::newRow("a record cut short at the end")
        << answer(record(192, 0, 2, 7, 27960) + record(198, 51, 100, 1, 27961).first(4))
        << QStringList{"192.0.2.7:27960"};
    QTest::newRow("addresses no server has: port 0, 0.x, multicast, broadcast")
        << answer(record(192, 0, 2, 7, 0) + record(0, 1, 2, 3, 27960) +
                  record(224, 0, 0, 1, 27960) + record(255, 255, 255, 255, 27960) +
                  record(127, 0, 0, 1, 27960) + kEnd)
        << QStringList{"127.0.0.1:27960", "end"};
    QTest::newRow("no servers") << answer(kEnd) << QStringList{"end"};
    QTest::newRow("a record out of step")
        << answer(record(192, 0, 2, 7, 27960) + 'x' + record(198, 51, 100, 1, 27961))
        << QStringList{"not an answer"};
    QTest::newRow("another header")
        << QByteArray("\xFF\xFF\xFF\xFFgetserversExtResponse") + record(192, 0, 2, 7, 27960)
        << QStringList{"not an answer"};
    QTest::newRow("no header at all")
        << record(192, 0, 2, 7, 27960) << QStringList{"not an answer"};
}

void TestMasterAnswer::readsAnswers()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QStringList, read);
    QCOMPARE(described(status::parseMasterAnswer(datagram)), read);
}

QTEST_APPLESS_MAIN(TestMasterAnswer)
#include "tst_MasterAnswer.moc"
