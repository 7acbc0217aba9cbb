// How the server browser filters and orders what servers said.
#include "ui/FoundServerFacts.h"

#include <QTest>

#include <algorithm>

using ui::FoundColumn;
using ui::FoundServerFacts;
using ui::ServerFilter;
using Heard = FoundServerFacts::Heard;

class TestFoundServers : public QObject {
    Q_OBJECT

private slots:
    void filters();
    void sorts();
};

namespace {

// A: bots alone, filling it; B: full, locked, a mod; C: people, another mod; D, E: no answer.
// Each: heard, ping, {name, map, people, bots, slots, game type, mod, lock}, name, address, source.
const FoundServerFacts kServers[] = {
    {Heard::Answered, 40, {"", "q3dm17", 0, 8, 8, 0, "", false}, "Alpha", "192.0.2.1", "master"},
    {Heard::Answered, 120, {"", "q3dm6", 8, 0, 8, 4, "CPMA", true}, "Bravo", "192.0.2.2", "LAN"},
    {Heard::Answered,
     80,
     {"", "q3tourney2", 3, -1, 16, 1, "osp", false},
     "Charlie",
     "192.0.2.3",
     "Favourite"},
    {Heard::Asking, 0, {}, "", "10.0.0.4:27960", ""},
    {Heard::NameNotFound, 0, {}, "", "nowhere.example:27960", ""},
};

QString letters(const std::vector<int>& order)
{
    QString text;
    for (const int index : order)
        text += QLatin1Char(char('A' + index));
    return text;
}

} // namespace

void TestFoundServers::filters()
{
    using Change = void (*)(ServerFilter&);
    const struct {
        const char* name;
        Change change;
        const char* shown;
    } rows[] = {
        {"nothing hidden by default", [](ServerFilter&) {}, "ABCDE"},
        {"empty: no people, bots or not", [](ServerFilter& f) { f.hideEmpty = true; }, "BCDE"},
        {"full: bots take slots", [](ServerFilter& f) { f.hideFull = true; }, "CDE"},
        {"max ping: the unanswered have none", [](ServerFilter& f) { f.maxPingMs = 100; }, "AC"},
        {"max ping at a server's own", [](ServerFilter& f) { f.maxPingMs = 80; }, "AC"},
        {"game type", [](ServerFilter& f) { f.gameType = 4; }, "B"},
        {"no mod", [](ServerFilter& f) { f.mod = QString(""); }, "A"},
        {"mod in any case", [](ServerFilter& f) { f.mod = QStringLiteral("cpma"); }, "B"},
        {"text in a name", [](ServerFilter& f) { f.text = QStringLiteral("RAV"); }, "B"},
        {"text in maps", [](ServerFilter& f) { f.text = QStringLiteral("q3dm"); }, "AB"},
        {"text in an address", [](ServerFilter& f) { f.text = QStringLiteral(" 10.0.0 "); }, "D"},
        {"blanks alone match all", [](ServerFilter& f) { f.text = QStringLiteral("  "); }, "ABCDE"},
        {"filters together", [](ServerFilter& f) { f.hideEmpty = true, f.maxPingMs = 100; }, "C"},
    };
    for (const auto& row : rows) {
        ServerFilter filter;
        row.change(filter);
        std::vector<int> passed;
        for (int index = 0; index < int(std::size(kServers)); ++index)
            if (ui::passes(kServers[index], filter))
                passed.push_back(index);
        QVERIFY2(letters(passed) == QLatin1String(row.shown), row.name);
    }
}

void TestFoundServers::sorts()
{
    const struct {
        FoundColumn column;
        Qt::SortOrder order;
        const char* sorted;
    } rows[] = {
        {FoundColumn::Ping, Qt::AscendingOrder, "ACBDE"},
        {FoundColumn::Ping, Qt::DescendingOrder, "BCADE"},
        {FoundColumn::Name, Qt::AscendingOrder, "ABCDE"},
        {FoundColumn::Name, Qt::DescendingOrder, "CBADE"},
        {FoundColumn::Map, Qt::AscendingOrder, "ABCDE"},
        {FoundColumn::Players, Qt::DescendingOrder, "BCADE"},
        {FoundColumn::GameType, Qt::AscendingOrder, "ACBDE"},
        {FoundColumn::Mod, Qt::DescendingOrder, "CBADE"},
        {FoundColumn::Lock, Qt::DescendingOrder, "BACDE"},
        {FoundColumn::Source, Qt::AscendingOrder, "CBADE"},
    };
    for (const auto& row : rows) {
        // Whatever order the servers came in; the two that never answered keep it.
        std::vector<int> found{0, 1, 2, 3, 4};
        do {
            std::vector<int> sorted = found;
            std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
                return ui::sortsBefore(kServers[a], kServers[b], row.column, row.order);
            });
            QString expected = QLatin1String(row.sorted);
            if (std::find(found.begin(), found.end(), 4) < std::find(found.begin(), found.end(), 3))
                expected.replace(QLatin1String("DE"), QLatin1String("ED"));
            QVERIFY2(
                letters(sorted) == expected,
                qPrintable(
                    QStringLiteral("column %1 order %2").arg(int(row.column)).arg(int(row.order))));
        } while (std::next_permutation(found.begin(), found.end()));
    }
}

QTEST_APPLESS_MAIN(TestFoundServers)
#include "tst_FoundServers.moc"
