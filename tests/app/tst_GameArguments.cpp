#include "app/GameArguments.h"

#include <QTest>

using app::buildGameArguments;
using app::LaunchOptions;

Q_DECLARE_METATYPE(LaunchOptions)

class TestGameArguments : public QObject {
    Q_OBJECT

private slots:
    void buildsPiecesInOrder_data();
    void buildsPiecesInOrder();
};

namespace {

LaunchOptions base()
{
    LaunchOptions options;
    options.playerName = QStringLiteral("Player");
    options.model = QStringLiteral("Select Skin");
    return options;
}

template <typename Change> LaunchOptions with(Change change)
{
    LaunchOptions options = base();
    change(options);
    return options;
}

} // namespace

void TestGameArguments::buildsPiecesInOrder_data()
{
    QTest::addColumn<LaunchOptions>("options");
    QTest::addColumn<QString>("expected");

    QTest::newRow("name only") << base() << "+name Player ";
    QTest::newRow("empty name keeps the piece")
        << with([](auto& o) { o.playerName.clear(); }) << "+name  ";
    QTest::newRow("name inserted unchanged")
        << with([](auto& o) { o.playerName = QStringLiteral(" a;b \"c\" "); })
        << "+name  a;b \"c\"  ";

    QTest::newRow("cheats set") << with([](auto& o) { o.cheats = 1; })
                                << "+name Player +set cheats 1 ";
    QTest::newRow("cheats greyed") << with([](auto& o) { o.cheats = 2; }) << "+name Player ";
    QTest::newRow("dedicated set")
        << with([](auto& o) { o.dedicated = 1; }) << "+name Player +set dedicated 1 ";
    QTest::newRow("dedicated greyed") << with([](auto& o) { o.dedicated = 2; }) << "+name Player ";

    QTest::newRow("connect with server") << with([](auto& o) {
        o.connect = 1;
        o.server = QStringLiteral("my server");
    }) << "+name Player +connect my server ";
    QTest::newRow("connect with padded list entry") << with([](auto& o) {
        o.connect = 1;
        o.server = QStringLiteral("0.0.0.0        ");
    }) << "+name Player +connect 0.0.0.0         ";
    const auto joined = [](const char* mod, const char* password, int connect = 1) {
        return with([=](auto& o) {
            o.cheats = 1;
            o.connect = connect;
            o.server = QStringLiteral("10.0.0.5:27961");
            o.serverMod = QLatin1String(mod);
            o.serverPassword = QString::fromUtf8(password);
        });
    };
    QTest::newRow("taken server: mod and password right before connect")
        << joined("CPMA", "fr4g")
        << "+name Player +set cheats 1 +set fs_game CPMA +set password fr4g "
           "+connect 10.0.0.5:27961 ";
    QTest::newRow("taken server: not connecting, no pieces")
        << joined("osp", "x", 0) << "+name Player +set cheats 1 ";
    QTest::newRow("password the console would split is quoted")
        << joined("", "a b;c+d//e")
        << "+name Player +set cheats 1 +set password \"a b;c+d//e\" "
           "+connect 10.0.0.5:27961 ";
    QTest::newRow("quotes and line ends cannot end the password early")
        << joined("", "x\"\n;quit\r")
        << "+name Player +set cheats 1 +set password \"x;quit\" "
           "+connect 10.0.0.5:27961 ";
    QTest::newRow("connect with blanks only") << with([](auto& o) {
        o.connect = 1;
        o.server = QString(15, QLatin1Char(' '));
    }) << "+name Player +connect" + QString(17, QLatin1Char(' '));
    QTest::newRow("connect with empty server")
        << with([](auto& o) { o.connect = 1; }) << "+name Player ";
    QTest::newRow("server without connect")
        << with([](auto& o) { o.server = QStringLiteral("1.2.3.4"); }) << "+name Player ";
    QTest::newRow("connect greyed") << with([](auto& o) {
        o.connect = 2;
        o.server = QStringLiteral("1.2.3.4");
    }) << "+name Player ";

    QTest::newRow("model") << with([](auto& o) { o.model = QStringLiteral("Sarge"); })
                           << "+name Player +model Sarge ";
    QTest::newRow("placeholder in other case is a model")
        << with([](auto& o) { o.model = QStringLiteral("select skin"); })
        << "+name Player +model select skin ";
    QTest::newRow("empty model") << with([](auto& o) { o.model.clear(); })
                                 << "+name Player +model  ";

    QTest::newRow("bsp map") << with([](auto& o) { o.mapFile = QStringLiteral("q3dm17.bsp"); })
                             << "+name Player +map q3dm17 ";
    QTest::newRow("map file") << with([](auto& o) { o.mapFile = QStringLiteral("q3dm1.map"); })
                              << "+name Player +map q3dm1 ";
    QTest::newRow("name shorter than an extension")
        << with([](auto& o) { o.mapFile = QStringLiteral("ab"); }) << "+name Player +map  ";

    QTest::newRow("advanced off ignores its options") << with([](auto& o) {
        o.fullscreen = 0;
        o.rate22 = true;
    }) << "+name Player ";
    QTest::newRow("advanced, fullscreen, 44") << with([](auto& o) { o.advanced = 1; })
                                              << "+name Player +set r_fullscreen 1 +set s_khz 44 ";
    QTest::newRow("advanced, windowed, 22") << with([](auto& o) {
        o.advanced = 1;
        o.fullscreen = 0;
        o.rate22 = true;
    }) << "+name Player +set r_fullscreen 0 +set s_khz 22 ";
    QTest::newRow("advanced greyed counts, fullscreen greyed gives no piece") << with([](auto& o) {
        o.advanced = 2;
        o.fullscreen = 2;
    }) << "+name Player +set s_khz 44 ";

    QTest::newRow("all pieces in table order")
        << with([](auto& o) {
               o.cheats = 1;
               o.dedicated = 1;
               o.connect = 1;
               o.server = QStringLiteral("0.0.0.0");
               o.model = QStringLiteral("Sarge");
               o.mapFile = QStringLiteral("q3dm17.bsp");
               o.advanced = 1;
               o.rate22 = true;
           })
        << "+name Player +set cheats 1 +set dedicated 1 +connect 0.0.0.0 +model Sarge "
           "+map q3dm17 +set r_fullscreen 1 +set s_khz 22 ";
}

void TestGameArguments::buildsPiecesInOrder()
{
    QFETCH(LaunchOptions, options);
    QFETCH(QString, expected);
    QCOMPARE(buildGameArguments(options), expected);
}

QTEST_APPLESS_MAIN(TestGameArguments)
#include "tst_GameArguments.moc"
