// The server browser against real OpenArena servers: registered with a master
// on 127.0.0.1, taken into the main window, and found by broadcast on a
// network of the test's own.
#include "app/Form1Fixture.h"
#include "servers/RealServer.h"
#include "status/NetworkPlugin.h"
#include "status/ServerFinder.h"
#include "status/ServerSummary.h"
#include "support/TestMaster.h"
#include "ui/FindServersWindow.h"
#include "ui/FoundServerFacts.h"
#include "ui/ValueCheckBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <map>
#include <memory>

using namespace servertest;
using status::ServerFinder;
using State = status::ServerReport::State;

namespace {

// Answers on loopback come at once; this only bounds a broken finder.
constexpr int kAnswerMs = 10'000;
// The first heartbeat goes out on the server's first frame after its map.
constexpr int kRegisteredMs = 10'000;

// Set in the re-run of a test inside a network namespace of its own.
constexpr char kPrivateNetworkRun[] = "VORTLINE_PRIVATE_NETWORK_RUN";
// The namespace's one link besides loopback: a veth pair that never leaves it,
// on a block kept for documentation. Without a route a broadcast is refused as
// unreachable; with one the kernel also hands it back to this host's sockets.
const QString kLinkAddress = QStringLiteral("192.0.2.1");
const QStringList kPrivateLinks{QStringLiteral("lo"), QStringLiteral("vortline0"),
                                QStringLiteral("vortline1")};
const QString kNetworkSetup =
    QStringLiteral("ip link set lo up && ip link add vortline0 type veth peer name vortline1 && "
                   "ip addr add %1/24 dev vortline0 && ip link set vortline0 up && "
                   "ip link set vortline1 up && ip route add default dev vortline0 || exit 125; "
                   "exec \"$0\" \"$@\"");

// The game's folder for the mod server's mod, in letters of another case.
const QString kModOnDisk = QStringLiteral("vORTmOD");

} // namespace

class tst_FindServers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void takesAServerIntoTheMainWindow_data();
    void takesAServerIntoTheMainWindow();
    void findsAServerOnTheLocalNetwork();

private:
    struct Fixture {
        ServerOptions options;
        QString plainName;
        QString players; // as the list shows them
        std::unique_ptr<RealServer> server{};
    };

    TestMaster master_;
    std::map<QString, Fixture> fixtures_;
};

void tst_FindServers::initTestCase()
{
    if (qEnvironmentVariableIsSet(kPrivateNetworkRun))
        return;
    fixtures_["plain"] = {
        .options = {.hostname = QStringLiteral("^2Plain ^7Arena"),
                    .map = QStringLiteral("oa_dm1"),
                    .maxClients = 8,
                    .bots = {{QStringLiteral("sarge"), QStringLiteral("Sarge")}}},
        .plainName = QStringLiteral("Plain Arena"),
        .players = QStringLiteral("0/8 +1 bot"),
    };
    fixtures_["mod"] = {
        .options = {.hostname = QStringLiteral("Mod Arena"),
                    .map = QStringLiteral("oa_dm2"),
                    .maxClients = 10,
                    .mod = QStringLiteral("VortMod")},
        .plainName = QStringLiteral("Mod Arena"),
        .players = QStringLiteral("0/10"),
    };
    fixtures_["locked"] = {
        .options = {.hostname = QStringLiteral("Locked Arena"),
                    .map = QStringLiteral("oa_dm3"),
                    .maxClients = 4,
                    .bots = {{QStringLiteral("grism"), QStringLiteral("Grism")},
                             {QStringLiteral("sarge"), QStringLiteral("Sarge")}},
                    .password = QStringLiteral("hunter2")},
        .plainName = QStringLiteral("Locked Arena"),
        .players = QStringLiteral("0/4 +2 bots"),
    };
    std::vector<RealServer*> servers;
    for (auto& [tag, fixture] : fixtures_) {
        fixture.options.master = master_.address();
        fixture.server = std::make_unique<RealServer>(fixture.options);
        servers.push_back(fixture.server.get());
    }
    const QString why = RealServer::startAll(servers);
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QTRY_COMPARE_WITH_TIMEOUT(master_.listed().size(), fixtures_.size(), kRegisteredMs);
}

void tst_FindServers::takesAServerIntoTheMainWindow_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("modInstalled");
    QTest::addColumn<QString>("beforeConnect"); // what the command line holds right before it
    QTest::newRow("plain") << QStringLiteral("plain") << true << QString();
    QTest::newRow("mod, its folder in other letters")
        << QStringLiteral("mod") << true << QStringLiteral("+set fs_game %1 ").arg(kModOnDisk);
    // The game then plays what the server tells it, without the launcher's help.
    QTest::newRow("mod not installed") << QStringLiteral("mod") << false << QString();
    QTest::newRow("locked") << QStringLiteral("locked") << true
                            << QStringLiteral("+set password hunter2 ");
}

void tst_FindServers::takesAServerIntoTheMainWindow()
{
    QFETCH(QString, fixture);
    QFETCH(bool, modInstalled);
    QFETCH(QString, beforeConnect);
    const Fixture& f = fixtures_.at(fixture);
    const QString address = f.server->address();

    Form1Fixture form;
    const QString game = form.makeGame();
    if (modInstalled)
        QVERIFY(QDir().mkpath(game + kModOnDisk));
    form.write(QStringLiteral("vortline.cfg"), record(game));
    // A blank favourite, never asked, and the test's master alone: nothing but
    // the servers on 127.0.0.1 hears from the browser.
    form.write(QStringLiteral("SERVERS.VTL"), "\r\n");
    form.write(QStringLiteral("masters.vtl"), master_.address().toUtf8() + "\r\n");
    status::NetworkPlugin plugin;
    app::FindServersOptions options;
    options.localNetwork.clear();
    app::Form1& window = form.start();
    window.setFindServersSource([&plugin] { return &plugin; }, options);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    auto* browser = window.findChild<ui::FindServersWindow*>();
    QVERIFY(browser);
    auto* list = browser->findChild<QTreeView*>();
    QVERIFY(list);
    // Answered rows show the server's name, and its address as their tip.
    const auto rowOf = [list, &address, &f] {
        const QAbstractItemModel* model = list->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex name = model->index(row, int(ui::FoundColumn::Name));
            if (name.data(Qt::ToolTipRole).toString() == address &&
                name.data().toString() == f.plainName)
                return name;
        }
        return QModelIndex();
    };
    QTRY_VERIFY_WITH_TIMEOUT(rowOf().isValid(), kAnswerMs);
    list->setCurrentIndex(rowOf());
    // What the server said, in its row; each server once, though the master
    // lists it for both protocols asked.
    const auto shown = [&](ui::FoundColumn column) {
        return rowOf().siblingAtColumn(int(column)).data().toString();
    };
    QCOMPARE(list->model()->rowCount(), int(fixtures_.size()));
    QCOMPARE(shown(ui::FoundColumn::Map), f.options.map);
    QCOMPARE(shown(ui::FoundColumn::Players), f.players);
    QVERIFY(shown(ui::FoundColumn::Ping).toInt() < kAnswerMs);
    QCOMPARE(shown(ui::FoundColumn::Mod), f.options.mod.isEmpty() || modInstalled
                                              ? f.options.mod
                                              : f.options.mod + " (not installed)");
    QCOMPARE(shown(ui::FoundColumn::Source), master_.address());
    for (QLabel* line : browser->findChildren<QLabel*>())
        if (line->accessibleName() == QLatin1String("Servers found"))
            QTRY_COMPARE(line->toolTip(), master_.address() + QStringLiteral(": 3 servers"));

    // The password dialog is modal: it is answered from within its own loop.
    bool askedPassword = false;
    QObject answerer;
    if (!f.options.password.isEmpty()) {
        QTimer::singleShot(0, &answerer, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            auto* word =
                dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("password")) : nullptr;
            if (!word)
                return;
            askedPassword = true;
            QTest::keyClicks(word, f.options.password);
            QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
    }
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(askedPassword, !f.options.password.isEmpty());

    QCOMPARE(control<QComboBox>(window, "Combo2")->currentText(), address);
    QCOMPARE(control<ui::ValueCheckBox>(window, "Check3")->value(), 1);
    QTest::mouseClick(control<QPushButton>(window, "Command1"), Qt::LeftButton);
    QCOMPARE(form.platform.runs.size(), 1);
    const QString arguments = form.platform.runs[0].arguments;
    const QString connect =
        beforeConnect + QStringLiteral("+connect ") + address + QLatin1Char(' ');
    QVERIFY2(arguments.contains(connect), qPrintable(arguments));
    // Only what the server needs comes before it.
    QCOMPARE(arguments.count(QStringLiteral("+set fs_game ")),
             int(!f.options.mod.isEmpty() && modInstalled));
    QCOMPARE(arguments.count(QStringLiteral("+set password ")), int(!f.options.password.isEmpty()));

    QTest::mouseClick(control<QPushButton>(window, "Command2"), Qt::LeftButton);
    const QStringList files = form.fileNames();
    for (const char* name : {"vortline.cfg", "SERVERS.VTL", "masters.vtl"})
        QVERIFY2(files.contains(QLatin1String(name), Qt::CaseInsensitive), name);
    if (!f.options.password.isEmpty()) {
        for (const QString& name : files)
            QVERIFY2(!form.read(name).contains(f.options.password.toUtf8()), qPrintable(name));
    }
}

void tst_FindServers::findsAServerOnTheLocalNetwork()
{
    if (!qEnvironmentVariableIsSet(kPrivateNetworkRun)) {
        // Run again in a network namespace of its own, where a broadcast
        // reaches nothing but the server started there.
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(kPrivateNetworkRun), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QStringLiteral("unshare"),
                    {QStringLiteral("-rn"), QStringLiteral("sh"), QStringLiteral("-c"),
                     kNetworkSetup.arg(kLinkAddress), QCoreApplication::applicationFilePath(),
                     QString::fromLatin1(QTest::currentTestFunction())});
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
        if (!child.waitForFinished(60'000)) {
            child.kill();
            child.waitForFinished();
            QFAIL("the run in a network namespace of its own did not finish");
        }
        const QString output = QString::fromLocal8Bit(child.readAll());
        if (child.exitCode() != 0 && output.startsWith(QLatin1String("unshare:")))
            QSKIP(qPrintable("no network namespace of its own here: " + output));
        if (child.exitCode() == 125)
            QSKIP(qPrintable(QStringLiteral("the namespace's link could not be made (is "
                                            "iproute2 installed?):\n") +
                             output));
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 qPrintable(output));
        return;
    }

    // Broadcasts only where nothing else can hear them.
    for (const QNetworkInterface& link : QNetworkInterface::allInterfaces())
        QVERIFY2(kPrivateLinks.contains(link.name()),
                 qPrintable(QStringLiteral("link %1 is not the namespace's own").arg(link.name())));
    ServerOptions options;
    options.hostname = QStringLiteral("LAN Arena");
    options.port = 27960;
    // A server bound to one address never hears a broadcast; one on every address does.
    options.listenAddress = QStringLiteral("0.0.0.0");
    RealServer server(options);
    const QString why = server.start();
    QVERIFY2(why.isEmpty(), qPrintable(why));

    ServerFinder::Sources sources;
    sources.localNetwork = QHostAddress(QHostAddress::Broadcast);
    ServerFinder finder(status::StatusLimits{});
    finder.refresh(sources);
    QTRY_VERIFY_WITH_TIMEOUT(!finder.searching() && finder.settled() == finder.count(), kAnswerMs);
    QCOMPARE(finder.count(), 1);
    // The server answers from the address the broadcast went out of.
    QCOMPARE(finder.found(0).address, kLinkAddress + QStringLiteral(":27960"));
    QCOMPARE(finder.found(0).source, ServerFinder::localNetworkSource());
    const status::ServerReport report = finder.report(0);
    QCOMPARE(report.state, State::Answered);
    QCOMPARE(status::summarize(*report.status).name, options.hostname.toUtf8());
}

QTEST_MAIN(tst_FindServers)
#include "tst_RealFindServers.moc"
