#include "status/ServerSummary.h"
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
    void summarizesInfoAnswers_data();
    void summarizesInfoAnswers();
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

void TestStatusAnswer::summarizesInfoAnswers_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("summary");

    const auto info = [](const QByteArray& settings) {
        return "\xFF\xFF\xFF\xFFinfoResponse\n" + settings;
    };
    // name | map | players | bots | slots | game type | mod | lock
    const struct {
        const char* name;
        QByteArray settings;
        const char* summary;
    } rows[] = {
        {"ioquake3 with bots, locked, a mod",
         R"(\challenge\7f\hostname\^1Red\mapname\q3dm17\clients\5\g_humanplayers\3)"
         R"(\sv_maxclients\12\gametype\4\g_needpass\1\game\CPMA)",
         "^1Red|q3dm17|3|2|12|Capture the flag|CPMA|locked"},
        {"a line end after the settings", "\\hostname\\A\\clients\\0\n", "A||0|-1|0|||open"},
        {"no count of people: everyone counts", R"(\hostname\B\clients\5\sv_maxclients\8)",
         "B||5|-1|8|||open"},
        {"more people than clients is not believed", R"(\hostname\C\clients\2\g_humanplayers\9)",
         "C||2|-1|0|||open"},
        {"the base game is no mod", R"(\hostname\D\game\BaseQ3\gametype\0)",
         "D||0|-1|0|Free for all||open"},
        {"fs_game when game is missing", R"(\hostname\E\fs_game\osp\gametype\1)",
         "E||0|-1|0|Tournament|osp|open"},
        {"only the password bit locks", R"(\hostname\F\g_needpass\2\gametype\3)",
         "F||0|-1|0|Team deathmatch||open"},
        {"a game type of a mod shows its number", R"(\hostname\G\gametype\7\g_needpass\3)",
         "G||0|-1|0|7||locked"},
        {"numbers that are not", R"(\hostname\H\gametype\x\clients\-2\sv_maxclients\z)",
         "H||0|-1|0|||open"},
        {"Latin-1 map names", "\\hostname\\I\\mapname\\ar\xE8ne", "I|ar\u00e8ne|0|-1|0|||open"},
        {"a status answer is not an info answer", {}, "none"},
        {"two lines", "\\hostname\\J\n\\a\\b", "none"},
        {"an empty key", R"(\hostname\K\\x)", "none"},
        {"a NUL", QByteArray("\\hostname\\L\0x", 13), "none"},
    };
    for (const auto& row : rows) {
        const QByteArray datagram =
            row.settings.isNull() ? answer("\\hostname\\A\n") : info(row.settings);
        QTest::newRow(row.name) << datagram << QString::fromUtf8(row.summary);
    }
}

void TestStatusAnswer::summarizesInfoAnswers()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, summary);
    const auto read = status::parseInfoAnswer(datagram);
    QString described = QStringLiteral("none");
    if (read) {
        const status::ServerSummary s = status::summarize(*read);
        described = QStringList{QString::fromUtf8(s.name),
                                s.map,
                                QString::number(s.players),
                                QString::number(s.bots),
                                QString::number(s.maxPlayers),
                                status::gameTypeText(s.gameType),
                                s.mod,
                                s.needsPassword ? QStringLiteral("locked") : QStringLiteral("open")}
                        .join(QLatin1Char('|'));
    }
    QCOMPARE(described, summary);
    // The challenge is the asker's, and it comes back as sent.
    QCOMPARE(status::infoQuery("7f"), QByteArray("\xFF\xFF\xFF\xFFgetinfo 7f"));
}

QTEST_APPLESS_MAIN(TestStatusAnswer)
#include "tst_StatusAnswer.moc"
