#include "status/StatusBoard.h"
#include "support/FakeGameServer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using status::ServerReport;
using status::StatusBoard;
using State = ServerReport::State;

namespace {

using Way = FakeGameServer::Way;

bool settled(const StatusBoard& board, const QStringList& entries)
{
    return std::all_of(entries.begin(), entries.end(), [&](const QString& entry) {
        const State state = board.report(entry).state;
        return state != State::Asking && state != State::NotAsked;
    });
}

} // namespace

class TestStatusBoard : public QObject {
    Q_OBJECT

private slots:
    void answersAreTakenOnlyWhenSound_data();
    void answersAreTakenOnlyWhenSound();
    void longListsKeepToTheLimits_data();
    void longListsKeepToTheLimits();
    void askedAgainOnlyWhenStaleAndVisibleFirst();
};

namespace {
constexpr int kNoAddress = -2;
} // namespace

void TestStatusBoard::answersAreTakenOnlyWhenSound_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<QString>("entry"); // <server>: the fake server's "127.0.0.1:port"
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("queries");
    QTest::addColumn<int>("leastPingMs");
    // Names whose lookup never ends, asked before the entry; -1: the resolver works;
    // kNoAddress: it finds no address for any name.
    QTest::addColumn<int>("hangingNamesAhead");

    const auto row = [](const char* name, Way way, const char* entry, State state, int queries,
                        int leastPingMs = 0, int hangingNamesAhead = -1) {
        QTest::newRow(name) << int(way) << entry << int(state) << queries << leastPingMs
                            << hangingNamesAhead;
    };
    row("answers", Way::Answers, "<server>", State::Answered, 1);
    row("padded entry", Way::Answers, "<server>      ", State::Answered, 1);
    row("a name that resolves", Way::Answers, "LOCALHOST:<port>", State::Answered, 1);
    row("silent: asked twice, then no answer", Way::Silent, "<server>", State::NoAnswer, 2);
    row("answers the retry", Way::AnswersRetryOnly, "<server>", State::Answered, 2);
    // Qt's timers may fire 5% early.
    row("late answer to the first query: timed from it", Way::AnswersFirstLate, "<server>",
        State::Answered, 2, FakeGameServer::kLateMs * 9 / 10);
    row("malformed answer", Way::Malformed, "<server>", State::NoAnswer, 2);
    row("oversized answer", Way::Oversized, "<server>", State::NoAnswer, 2);
    row("answer from another port", Way::FromAnotherPort, "<server>", State::NoAnswer, 2);
    row("answer without the challenge", Way::NoChallenge, "<server>", State::NoAnswer, 2);
    row("answer with another query's challenge", Way::WrongChallenge, "<server>", State::NoAnswer,
        2);
    row("a name whose lookup never ends", Way::Answers, "hangs.example:<port>", State::NoAnswer, 0,
        0, 0);
    row("an address behind 40 names whose lookup never ends", Way::Answers, "<server>",
        State::Answered, 1, 0, 40);
    row("a name without an address", Way::Answers, "nowhere.example:<port>", State::NoAnswer, 0, 0,
        kNoAddress);
    // "info:": the board asks for the short form a browser asks thousands for.
    row("info asked", Way::Answers, "info:<server>", State::Answered, 1);
    row("info not given", Way::Silent, "info:<server>", State::NoAnswer, 2);
    row("no address", Way::Answers, "0.0.0.0", State::NoAddress, 0);
    row("port out of range", Way::Answers, "127.0.0.1:70000", State::NoAddress, 0);
}

void TestStatusBoard::answersAreTakenOnlyWhenSound()
{
    QFETCH(int, way);
    QFETCH(QString, entry);
    QFETCH(int, state);
    QFETCH(int, queries);
    QFETCH(int, leastPingMs);
    QFETCH(int, hangingNamesAhead);
    FakeGameServer server(Way(way), 0, nullptr);
    const bool info = entry.startsWith(QLatin1String("info:"));
    entry.remove(QLatin1String("info:"));
    entry.replace("<server>", server.entry()).replace("<port>", server.entry().section(':', 1));
    StatusBoard::Lookup lookup;
    if (hangingNamesAhead == kNoAddress)
        lookup = [](const QString&, const std::function<void(const QHostAddress&)>& found) {
            found(QHostAddress());
        };
    else if (hangingNamesAhead >= 0)
        lookup = [](const QString&, const std::function<void(const QHostAddress&)>&) {
        };
    StatusBoard board({32, 100, 150, 30'000, 300}, lookup);
    if (info)
        board.setQuery(StatusBoard::Query::Info);
    QSignalSpy changes(&board, &StatusBoard::changed);
    QStringList asked;
    for (int n = 0; n < hangingNamesAhead; ++n)
        asked.append(QStringLiteral("hangs%1.example").arg(n));

    board.ask(asked << entry);

    QTRY_VERIFY(settled(board, {entry}));
    const ServerReport report = board.report(entry);
    QCOMPARE(int(report.state), state);
    QTest::qWait(200); // nothing more goes out once it is settled
    QCOMPARE(info ? server.infoQueries : server.queries.size(), queries);
    // Only a name the resolver says has no address is "not found"; a hanging one has no answer.
    QCOMPARE(report.nameNotFound, hangingNamesAhead == kNoAddress);
    QVERIFY(std::any_of(changes.begin(), changes.end(),
                        [&](const QList<QVariant>& change) { return change.at(0) == entry; }));
    QCOMPARE(report.status.has_value(), state == int(State::Answered));
    if (report.status) {
        QCOMPARE(report.status->value(info ? "hostname" : "SV_HOSTNAME"), "^1Test");
        QCOMPARE(report.status->value("challenge"), QByteArray()); // the board's, not shown
        QCOMPARE(report.status->players.size(), info ? 0u : 1u);
        QVERIFY2(report.pingMs >= leastPingMs && report.pingMs < 1000,
                 qPrintable(QString::number(report.pingMs)));
    }
}

void TestStatusBoard::longListsKeepToTheLimits_data()
{
    QTest::addColumn<int>("inFlight");
    QTest::addColumn<int>("perSecond");
    QTest::newRow("the questions out at once set the pace") << 4 << 1000;
    QTest::newRow("the rate sets the pace") << 32 << 20;
}

void TestStatusBoard::longListsKeepToTheLimits()
{
    QFETCH(int, inFlight);
    QFETCH(int, perSecond);
    // Answers take a while, so questions would pile up if the board let them.
    constexpr int kAnswerMs = 60;
    std::vector<std::unique_ptr<FakeGameServer>> servers;
    QStringList entries;
    for (int n = 0; n < 30; ++n) {
        servers.push_back(std::make_unique<FakeGameServer>(Way::Answers, kAnswerMs, nullptr));
        entries.append(servers.back()->entry());
    }
    StatusBoard board({inFlight, perSecond, 1000, 30'000});

    board.ask(entries + entries); // each asked once however often it is named

    QTRY_VERIFY_WITH_TIMEOUT(settled(board, entries), 10'000);
    QList<qint64> sent;
    for (const auto& server : servers) {
        QCOMPARE(server->queries.size(), 1);
        QCOMPARE(int(board.report(server->entry()).state), int(State::Answered));
        sent += server->queries;
    }
    std::sort(sent.begin(), sent.end());
    for (qsizetype at = 0; at < sent.size(); ++at) {
        // Those sent less than an answer's time before are still out.
        const auto out = std::count_if(sent.begin(), sent.begin() + at + 1, [&](qint64 time) {
            return sent[at] - time < kAnswerMs - 5;
        });
        QVERIFY2(out <= inFlight, qPrintable(QStringLiteral("%1 out at once").arg(out)));
        if (at + perSecond < sent.size())
            QVERIFY2(sent[at + perSecond] - sent[at] >= 1000, "over the rate in a second");
    }
}

void TestStatusBoard::askedAgainOnlyWhenStaleAndVisibleFirst()
{
    QList<FakeGameServer*> order;
    FakeGameServer a(Way::Answers, 0, &order), b(Way::Answers, 0, &order),
        c(Way::Answers, 0, &order);
    StatusBoard board({1, 100, 1000, 400});

    board.ask({a.entry(), b.entry(), c.entry()});
    board.ask({c.entry()}); // scrolled into view while waiting its turn
    QTRY_VERIFY(settled(board, {a.entry(), b.entry(), c.entry()}));
    QCOMPARE(order, QList<FakeGameServer*>({&a, &c, &b}));

    board.ask({a.entry(), b.entry(), c.entry()}); // fresh: nothing goes out
    QTest::qWait(100);
    QCOMPARE(order.size(), 3);
    QTest::qWait(400);
    board.ask({b.entry()}); // stale now, and its last answer stays on show meanwhile
    QVERIFY(board.report(b.entry()).status.has_value());
    QTRY_COMPARE(order.size(), 4);
    QCOMPARE(order.last(), &b);
}

QTEST_GUILESS_MAIN(TestStatusBoard)
#include "tst_StatusBoard.moc"
