#include "status/StatusAnswer.h"

#include <QTest>

class TestStatusAnswer : public QObject {
    Q_OBJECT

private slots:
    void readsAnswers_data();
    void readsAnswers();
    void readsOnlyWholeAnswers();
    void looksUpSettings_data();
    void looksUpSettings();
};

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray answer(const QByteArray& lines)
{
    return "\xFF\xFF\xFF\xFFstatusResponse\n" + lines;
}

// An OpenArena server with a player and two bots, its message of the day sent empty.
const QByteArray kOpenArena = answer(
    R"(\g_motd\\sv_hostname\^1Frag^3Fest ^7| DM\sv_maxclients\12\mapname\oa_dm4\gamename\baseoa)"
    R"(\version\ioq3+oa 1.36_GIT_ba68b99c-2011-12-30 linux-x86_64\g_needpass\0
12 0 "^1Sarge"
-1 0 "Grism"
7 53 "^4Blue^7Boy"
)");

// The settings in order as "key=value", then the players as "score ping name";
// nothing for no answer, as a whole one always has a setting.
QByteArrayList described(const std::optional<status::ServerStatus>& status)
{
    QByteArrayList lines;
    if (!status)
        return lines;
    for (const auto& [key, value] : status->info)
        lines << key + '=' + value;
    for (const status::Player& player : status->players)
        lines << QByteArray::number(player.score) + ' ' + QByteArray::number(player.ping) + ' ' +
                     player.name;
    return lines;
}

} // namespace

void TestStatusAnswer::readsAnswers_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QByteArrayList>("status");
    const QByteArrayList none;

    QTest::newRow("OpenArena with bots")
        << kOpenArena
        << QByteArrayList{
               "g_motd=",          "sv_hostname=^1Frag^3Fest ^7| DM",
               "sv_maxclients=12", "mapname=oa_dm4",
               "gamename=baseoa",  "version=ioq3+oa 1.36_GIT_ba68b99c-2011-12-30 linux-x86_64",
               "g_needpass=0",     "12 0 ^1Sarge",
               "-1 0 Grism",       "7 53 ^4Blue^7Boy"};
    QTest::newRow("no players, empty last value") << answer("\\mapname\\q3dm17\\sv_dlURL\\\n")
                                                  << QByteArrayList{"mapname=q3dm17", "sv_dlURL="};
    QTest::newRow("int extremes, empty and odd names, bytes kept")
        << answer("\\a\\b\n-2147483648 999 \"\"\n2147483647 0 \"^^1 \\ '\xE9\xC3\xA9\"\n")
        << QByteArrayList{"a=b", "-2147483648 999 ", "2147483647 0 ^^1 \\ '\xE9\xC3\xA9"};

    QTest::newRow("wrong header") << "\xFF\xFF\xFF\xFFinfoResponse\n\\a\\b\n"_ba << none;
    QTest::newRow("header alone") << answer("") << none;
    QTest::newRow("empty settings") << answer("\n") << none;
    QTest::newRow("no leading backslash") << answer("a\\b\n") << none;
    QTest::newRow("key without value") << answer("\\a\\1\\b\n") << none;
    QTest::newRow("trailing backslash") << answer("\\a\\1\\\n") << none;
    QTest::newRow("empty key") << answer("\\a\\1\\\\x\n") << none;
    for (const char* line : {"", "+5 0 \"x\"", "5 -1 \"x\"", "5  0 \"x\"", "5 0", "5 0 x", "5 0 \"",
                             "5 0 \"a\"b\"", "5 0 \"x\" 1", "2147483648 0 \"x\"", "5 0 \"x\"\r"})
        QTest::addRow("player line [%s]", line)
            << answer(QByteArray("\\a\\b\n1 2 \"ok\"\n") + line + '\n') << none;
}

void TestStatusAnswer::readsAnswers()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QByteArrayList, status);
    QCOMPARE(described(status::parseStatusAnswer(datagram)), status);
}

void TestStatusAnswer::readsOnlyWholeAnswers()
{
    const QByteArrayList whole = described(status::parseStatusAnswer(kOpenArena));
    const qsizetype settingsEnd = kOpenArena.indexOf('\n', answer("").size()) + 1;
    for (qsizetype size = 0; size < kOpenArena.size(); ++size) {
        const QByteArray prefix = kOpenArena.first(size);
        // A cut at a line end after the settings leaves an answer with fewer players,
        // which nothing tells from one sent so; any other cut leaves no answer.
        const QByteArrayList read = described(status::parseStatusAnswer(prefix));
        const bool wholeLines = size >= settingsEnd && prefix.endsWith('\n');
        QCOMPARE(read, wholeLines ? whole.first(whole.size() - kOpenArena.sliced(size).count('\n'))
                                  : QByteArrayList());
        // The server writes a C string: a NUL is never part of an answer.
        QByteArray withNul = kOpenArena;
        withNul[size] = '\0';
        QVERIFY(!status::parseStatusAnswer(withNul));
    }
    const QByteArray largest =
        answer("\\a\\" + QByteArray(status::kLargestAnswer - answer("\\a\\\n").size(), 'x') + '\n');
    QVERIFY(status::parseStatusAnswer(largest));
    QVERIFY(!status::parseStatusAnswer(largest.chopped(1) + "x\n"));
}

void TestStatusAnswer::looksUpSettings_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("maxClients");

    const struct {
        const char *settings, *key, *value;
        int maxClients;
    } rows[] = {
        {R"(\sv_hostName\Arena\SV_MaxClients\16)", "SV_HOSTNAME", "Arena", 16},
        {R"(\g_needpass\1\G_NEEDPASS\0\sv_maxclients\)", "g_needpass", "1", 0},
        {"\\cl\xE9\\1\\sv_maxclients\\-4", "CL\xC9", "", 0}, // only ASCII letters fold
        {R"(\mapname\q3dm17\sv_maxclients\16 slots)", "map", "", 0},
        {R"(\sv_maxclients\4294967312)", "sv_maxclients", "4294967312", 0},
    };
    for (const auto& row : rows)
        QTest::addRow("%s", row.settings) << QByteArray(row.settings) << QByteArray(row.key)
                                          << QByteArray(row.value) << row.maxClients;
}

void TestStatusAnswer::looksUpSettings()
{
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(int, maxClients);
    const auto read = status::parseStatusAnswer(answer(settings + '\n'));
    QVERIFY(read);
    QCOMPARE(read->value(key), value);
    QCOMPARE(read->maxClients(), maxClients);
}

QTEST_APPLESS_MAIN(TestStatusAnswer)
#include "tst_StatusAnswer.moc"
