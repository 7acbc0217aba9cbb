// The status board against real OpenArena servers on 127.0.0.1.
#include "servers/RealServer.h"
#include "status/ColouredText.h"
#include "status/StatusBoard.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <map>
#include <memory>

using namespace servertest;
using status::ServerReport;
using status::StatusBoard;
using State = ServerReport::State;

namespace {

// An answer on loopback comes at once; this only bounds a broken board.
constexpr int kAnswerMs = 5000;

QString entryFor(quint16 port)
{
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

} // namespace

class tst_RealServers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void reportsWhatTheServerSays_data();
    void reportsWhatTheServerSays();
    void entryTextsMayBePadded_data();
    void entryTextsMayBePadded();
    void asksAServerStartedSinceOnTheNextAsk();
    void noAnswerAfterTheTimeoutAndOneRetry_data();
    void noAnswerAfterTheTimeoutAndOneRetry();

private:
    struct Fixture {
        ServerOptions options;
        QString plainHostname;
        QStringList plainPlayers{};
        std::unique_ptr<RealServer> server{};
    };

    // Each test asks its own servers: ioquake3 answers an address 10 status
    // queries in a burst and then one a second.
    std::map<QString, Fixture> fixtures_;
};

void tst_RealServers::initTestCase()
{
    fixtures_["colours"] = {
        .options = {.hostname = QStringLiteral("^1Red ^7Arena"),
                    .map = QStringLiteral("oa_dm1"),
                    .maxClients = 6,
                    .bots = {{QStringLiteral("sarge"), QStringLiteral("^2Green ^7Bot")},
                             {QStringLiteral("grism"), QStringLiteral("Grism")}}},
        .plainHostname = QStringLiteral("Red Arena"),
        .plainPlayers = {QStringLiteral("Green Bot"), QStringLiteral("Grism")},
    };
    fixtures_["plain, no players"] = {
        .options = {.hostname = QStringLiteral("Plain Arena"),
                    .map = QStringLiteral("oa_dm3"),
                    .maxClients = 12},
        .plainHostname = QStringLiteral("Plain Arena"),
    };
    // A caret before the end or before another caret is drawn, not a colour.
    fixtures_["UTF-8 and carets"] = {
        .options = {.hostname = QStringLiteral("Zürich ^3Gelb^"),
                    .map = QStringLiteral("oa_dm2"),
                    .maxClients = 3,
                    .bots = {{QStringLiteral("grism"), QStringLiteral("^4Blau^^7")}}},
        .plainHostname = QStringLiteral("Zürich Gelb^"),
        .plainPlayers = {QStringLiteral("Blau^")},
    };
    fixtures_["padded entries"] = {
        .options = {.hostname = QStringLiteral("Padded Arena"), .maxClients = 4},
        .plainHostname = QStringLiteral("Padded Arena"),
    };

    std::vector<RealServer*> servers;
    for (auto& [tag, fixture] : fixtures_) {
        fixture.server = std::make_unique<RealServer>(fixture.options);
        servers.push_back(fixture.server.get());
    }
    const QString why = RealServer::startAll(servers);
    QVERIFY2(why.isEmpty(), qPrintable(why));
}

void tst_RealServers::reportsWhatTheServerSays_data()
{
    QTest::addColumn<QString>("fixture");
    for (const auto& [tag, fixture] : fixtures_)
        if (tag != QLatin1String("padded entries"))
            QTest::newRow(qPrintable(tag)) << tag;
}

void tst_RealServers::reportsWhatTheServerSays()
{
    QFETCH(QString, fixture);
    const Fixture& f = fixtures_.at(fixture);
    const QString entry = f.server->address();
    // Bots score while they play: the board's figures must lie between what
    // the server said just before and just after.
    const std::optional<status::ServerStatus> before = f.server->probe();
    QVERIFY(before);

    StatusBoard board;
    QElapsedTimer sinceAsk;
    sinceAsk.start();
    board.ask({entry});
    QTRY_COMPARE_WITH_TIMEOUT(board.report(entry).state, State::Answered, kAnswerMs);
    const qint64 waited = sinceAsk.elapsed();
    const std::optional<status::ServerStatus> after = f.server->probe();
    QVERIFY(after);

    const ServerReport report = board.report(entry);
    QVERIFY(report.status);
    QCOMPARE(report.status->value("sv_hostname"), f.options.hostname.toUtf8());
    QCOMPARE(status::plainText(report.status->value("sv_hostname")), f.plainHostname);
    QCOMPARE(report.status->value("MapName"), f.options.map.toUtf8());
    QCOMPARE(report.status->maxClients(), f.options.maxClients);
    QCOMPARE(report.status->value("challenge"), QByteArray()); // echoed, then kept out of sight
    QVERIFY2(report.pingMs >= 0 && report.pingMs <= waited,
             qPrintable(QStringLiteral("ping %1 ms, answered %2 ms after the ask")
                            .arg(report.pingMs)
                            .arg(waited)));
    const std::vector<status::Player>& players = report.status->players;
    QCOMPARE(players.size(), size_t(f.plainPlayers.size()));
    for (size_t i = 0; i < players.size(); ++i) {
        QCOMPARE(players[i].name, f.options.bots[i].name.toUtf8());
        QCOMPARE(status::plainText(players[i].name), f.plainPlayers[qsizetype(i)]);
        const auto [low, high] = std::minmax(before->players[i].score, after->players[i].score);
        QVERIFY2(players[i].score >= low && players[i].score <= high,
                 qPrintable(QStringLiteral("score %1, the server said %2 and then %3")
                                .arg(players[i].score)
                                .arg(low)
                                .arg(high)));
        // The engine gives bots no ping of their own.
        QCOMPARE(players[i].ping, 0);
    }
}

void tst_RealServers::entryTextsMayBePadded_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("bare") << QStringLiteral("127.0.0.1:%1");
    QTest::newRow("trailing spaces") << QStringLiteral("127.0.0.1:%1   ");
    QTest::newRow("leading spaces") << QStringLiteral("   127.0.0.1:%1");
    QTest::newRow("both") << QStringLiteral(" 127.0.0.1:%1 ");
}

void tst_RealServers::entryTextsMayBePadded()
{
    QFETCH(QString, pattern);
    const Fixture& f = fixtures_.at(QStringLiteral("padded entries"));
    const QString entry = pattern.arg(f.server->port());

    StatusBoard board;
    QSignalSpy changed(&board, &StatusBoard::changed);
    board.ask({entry});
    QTRY_COMPARE_WITH_TIMEOUT(board.report(entry).state, State::Answered, kAnswerMs);
    QCOMPARE(board.report(entry).status->value("sv_hostname"), f.options.hostname.toUtf8());
    // Announced by the text as given: the window looks its entries up by it.
    QVERIFY(!changed.isEmpty());
    for (const QList<QVariant>& arguments : changed) {
        QCOMPARE(arguments.at(0).toString(), entry);
    }
}

void tst_RealServers::asksAServerStartedSinceOnTheNextAsk()
{
    ServerOptions firstOptions;
    firstOptions.hostname = QStringLiteral("First Arena");
    RealServer first(firstOptions);
    QString why = first.start();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    ServerOptions laterOptions;
    laterOptions.hostname = QStringLiteral("Later Arena");
    laterOptions.port = freeUdpPort();
    const QString laterEntry = entryFor(laterOptions.port);

    StatusBoard::Limits quick;
    quick.timeoutMs = 300;
    StatusBoard board(quick);
    board.ask({first.address(), laterEntry});
    QTRY_COMPARE_WITH_TIMEOUT(board.report(first.address()).state, State::Answered, kAnswerMs);
    QTRY_COMPARE_WITH_TIMEOUT(board.report(laterEntry).state, State::NoAnswer, kAnswerMs);

    RealServer later(laterOptions);
    why = later.start();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QSignalSpy changed(&board, &StatusBoard::changed);
    QElapsedTimer sinceAsk;
    sinceAsk.start();
    board.ask({first.address(), laterEntry});
    QTRY_COMPARE_WITH_TIMEOUT(board.report(laterEntry).state, State::Answered, kAnswerMs);
    const qint64 waited = sinceAsk.elapsed();
    const ServerReport report = board.report(laterEntry);
    QCOMPARE(report.status->value("sv_hostname"), QByteArray("Later Arena"));
    // Timed from this ask's query, not from the ones that went unanswered.
    QVERIFY2(report.pingMs >= 0 && report.pingMs <= waited,
             qPrintable(QStringLiteral("ping %1 ms, answered %2 ms after the ask")
                            .arg(report.pingMs)
                            .arg(waited)));
    // The first answer is still fresh, so that server is not asked again.
    QCOMPARE(board.report(first.address()).state, State::Answered);
    for (const QList<QVariant>& arguments : changed) {
        QCOMPARE(arguments.at(0).toString(), laterEntry);
    }
}

void tst_RealServers::noAnswerAfterTheTimeoutAndOneRetry_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("no server on the port") << QStringLiteral("none");
    QTest::newRow("stopped after answering") << QStringLiteral("stopped");
    QTest::newRow("hangs after answering") << QStringLiteral("frozen");
}

void tst_RealServers::noAnswerAfterTheTimeoutAndOneRetry()
{
    QFETCH(QString, how);
    // Asked again at once, so that no earlier answer stands in.
    StatusBoard::Limits limits;
    limits.freshForMs = 0;
    StatusBoard board(limits);

    std::unique_ptr<RealServer> server;
    QString entry;
    if (how == QLatin1String("none")) {
        entry = entryFor(freeUdpPort());
    } else {
        server = std::make_unique<RealServer>();
        const QString why = server->start();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        entry = server->address();
        board.ask({entry});
        QTRY_COMPARE_WITH_TIMEOUT(board.report(entry).state, State::Answered, kAnswerMs);
        if (how == QLatin1String("stopped")) {
            server->stop();
        } else {
            server->freeze();
        }
    }

    QElapsedTimer sinceAsk;
    sinceAsk.start();
    board.ask({entry});
    const int twoTimeouts = 2 * limits.timeoutMs;
    QTRY_COMPARE_WITH_TIMEOUT(board.report(entry).state, State::NoAnswer, twoTimeouts + kAnswerMs);
    const qint64 waited = sinceAsk.elapsed();
    // Qt's coarse timers may fire 5% early.
    QVERIFY2(waited >= twoTimeouts * 9 / 10 && waited <= twoTimeouts + 1500,
             qPrintable(QStringLiteral("no answer after %1 ms, expected after about %2 ms")
                            .arg(waited)
                            .arg(twoTimeouts)));
}

QTEST_GUILESS_MAIN(tst_RealServers)
#include "tst_RealServers.moc"
