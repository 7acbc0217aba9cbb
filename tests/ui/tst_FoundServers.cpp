// How the server browser filters and orders what servers said.
#include "ui/FoundServerFacts.h"

#include <QTest>

#include <algorithm>

using ui::FoundColumn;
using ui::FoundServerFacts;
using ui::ServerFilter;
using Heard = FoundServerFacts::Heard;

Q_DECLARE_METATYPE(ServerFilter)

class TestFoundServers : public QObject {
    Q_OBJECT

private slots:
    void filters_data();
    void filters();
    void sorts_data();
    void sorts();
};

namespace {

FoundServerFacts answered(const char* name, const char* map, int ping, int players, int bots,
                          int seats, int gameType, const char* mod, bool locked, const char* source)
{
    FoundServerFacts facts;
    facts.heard = Heard::Answered;
    facts.pingMs = ping;
    facts.plainName = QLatin1String(name);
    facts.summary.map = QLatin1String(map);
    facts.summary.players = players;
    facts.summary.bots = bots;
    facts.summary.maxPlayers = seats;
    facts.summary.gameType = gameType;
    facts.summary.mod = QLatin1String(mod);
    facts.summary.needsPassword = locked;
    facts.source = QLatin1String(source);
    facts.address = QStringLiteral("192.0.2.%1:27960").arg(ping);
    return facts;
}

FoundServerFacts silent(Heard heard, const char* address)
{
    FoundServerFacts facts;
    facts.heard = heard;
    facts.address = QLatin1String(address);
    return facts;
}

// A: bots alone; B: full, locked, a mod; C: people, another mod; D, E: no answer.
const FoundServerFacts kServers[] = {
    answered("Alpha", "q3dm17", 40, 0, 2, 8, 0, "", false, "master.example"),
    answered("Bravo", "q3dm6", 120, 8, 0, 8, 4, "CPMA", true, "LAN"),
    answered("Charlie", "q3tourney2", 80, 3, -1, 16, 1, "osp", false, "Favourite"),
    silent(Heard::Asking, "10.0.0.4:27960"),
    silent(Heard::NameNotFound, "nowhere.example:27960"),
};

QString letters(const std::vector<int>& order)
{
    QString text;
    for (const int index : order)
        text += QLatin1Char(char('A' + index));
    return text;
}

} // namespace

void TestFoundServers::filters_data()
{
    QTest::addColumn<ServerFilter>("filter");
    QTest::addColumn<QString>("shown");
    const auto with = [](auto change) {
        ServerFilter filter;
        change(filter);
        return filter;
    };
    QTest::newRow("nothing hidden by default") << ServerFilter{} << "ABCDE";
    QTest::newRow("empty: no people, bots or not")
        << with([](auto& f) { f.hideEmpty = true; }) << "BCDE";
    QTest::newRow("full: bots take slots") << with([](auto& f) { f.hideFull = true; }) << "ACDE";
    QTest::newRow("max ping: the unanswered have none")
        << with([](auto& f) { f.maxPingMs = 100; }) << "AC";
    QTest::newRow("max ping at a server's own") << with([](auto& f) { f.maxPingMs = 80; }) << "AC";
    QTest::newRow("game type") << with([](auto& f) { f.gameType = 4; }) << "B";
    QTest::newRow("no mod") << with([](auto& f) { f.mod = QString(""); }) << "A";
    QTest::newRow("mod in any case")
        << with([](auto& f) { f.mod = QStringLiteral("cpma"); }) << "B";
    QTest::newRow("text in a name") << with([](auto& f) { f.text = QStringLiteral("RAV"); }) << "B";
    QTest::newRow("text in maps") << with([](auto& f) { f.text = QStringLiteral("q3dm"); }) << "AB";
    QTest::newRow("text in an address")
        << with([](auto& f) { f.text = QStringLiteral(" 10.0.0 "); }) << "D";
    QTest::newRow("blanks alone match all")
        << with([](auto& f) { f.text = QStringLiteral("  "); }) << "ABCDE";
    QTest::newRow("filters together") << with([](auto& f) {
        f.hideEmpty = true;
        f.maxPingMs = 100;
    }) << "C";
}

void TestFoundServers::filters()
{
    QFETCH(ServerFilter, filter);
    QFETCH(QString, shown);
    std::vector<int> passed;
    for (int index = 0; index < int(std::size(kServers)); ++index)
        if (ui::passes(kServers[index], filter))
            passed.push_back(index);
    QCOMPARE(letters(passed), shown);
}

void TestFoundServers::sorts_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QString>("order");
    const struct {
        FoundColumn column;
        bool descending;
        const char* order;
    } rows[] = {
        {FoundColumn::Ping, false, "ACBDE"},   {FoundColumn::Ping, true, "BCADE"},
        {FoundColumn::Name, false, "ABCDE"},   {FoundColumn::Name, true, "CBADE"},
        {FoundColumn::Map, false, "ABCDE"},    {FoundColumn::Players, false, "ACBDE"},
        {FoundColumn::Players, true, "BCADE"}, {FoundColumn::GameType, false, "ACBDE"},
        {FoundColumn::Mod, false, "ABCDE"},    {FoundColumn::Mod, true, "CBADE"},
        {FoundColumn::Lock, false, "ACBDE"},   {FoundColumn::Lock, true, "BACDE"},
        {FoundColumn::Source, false, "CBADE"},
    };
    for (const auto& row : rows)
        QTest::addRow("column %d%s", int(row.column), row.descending ? " descending" : "")
            << int(row.column) << row.descending << QString::fromLatin1(row.order);
}

void TestFoundServers::sorts()
{
    QFETCH(int, column);
    QFETCH(bool, descending);
    QFETCH(QString, order);
    // Whatever order the servers came in.
    std::vector<int> indexes{4, 2, 0, 3, 1};
    std::sort(indexes.begin(), indexes.end());
    do {
        std::vector<int> sorted = indexes;
        std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
            return ui::sortsBefore(kServers[a], kServers[b], FoundColumn(column),
                                   descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        });
        // The two that never answered keep the order they came in.
        QString expected = order;
        if (std::find(indexes.begin(), indexes.end(), 4) <
            std::find(indexes.begin(), indexes.end(), 3))
            expected.replace(QLatin1String("DE"), QLatin1String("ED"));
        QCOMPARE(letters(sorted), expected);
    } while (std::next_permutation(indexes.begin(), indexes.end()));
}

QTEST_APPLESS_MAIN(TestFoundServers)
#include "tst_FoundServers.moc"
