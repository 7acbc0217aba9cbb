// The server browser as the player meets it: opened from the main window,
// listing the servers of a master and the favourites, and joining one.
#include "Form1Fixture.h"
#include "status/NetworkPlugin.h"
#include "support/FakeGameServer.h"
#include "support/TestMaster.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

class TestFindServers : public QObject {
    Q_OBJECT

private slots:
    void listsAnswersFirstAndKeepsACurrentRow();
    void keepsFavouritesAndMasters();

private:
    struct Browser {
        std::unique_ptr<Form1Fixture> fixture;
        app::Form1* window = nullptr;
        QString game;
    };
    // The main window started with these favourites and a master on
    // 127.0.0.1 listing these servers; the local network is not asked.
    Browser start(TestMaster& master, const std::vector<FakeGameServer*>& listed,
                  const QByteArray& favourites = "0.0.0.0\r\n");
    static QDialog* open(app::Form1& window);
    static QStringList rows(QDialog* browser, int column = 0);

    status::NetworkPlugin module_;
};

namespace {

// Long enough for an answer on loopback, short enough that silence is soon told.
constexpr int kTimeoutMs = 300;

} // namespace

TestFindServers::Browser TestFindServers::start(TestMaster& master,
                                                const std::vector<FakeGameServer*>& listed,
                                                const QByteArray& favourites)
{
    Browser browser{std::make_unique<Form1Fixture>(), nullptr, QString()};
    browser.game = browser.fixture->makeGame();
    browser.fixture->write("vortline.cfg", record(browser.game));
    browser.fixture->write("SERVERS.VTL", favourites);
    browser.fixture->write("masters.vtl", master.address().toLatin1() + "\r\n");
    for (const FakeGameServer* server : listed)
        master.list({{0x7f000001, server->port()}});
    browser.window = &browser.fixture->start();
    app::FindServersOptions options;
    options.limits.timeoutMs = kTimeoutMs;
    options.localNetwork.clear();
    browser.window->setFindServersSource([this] { return &module_; }, options);
    return browser;
}

QDialog* TestFindServers::open(app::Form1& window)
{
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return nullptr;
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    for (QDialog* dialog : window.findChildren<QDialog*>())
        if (dialog->windowTitle() == QLatin1String("Find servers") && dialog->isVisible())
            return dialog;
    return nullptr;
}

QStringList TestFindServers::rows(QDialog* browser, int column)
{
    QAbstractItemModel* model = browser->findChild<QTreeView*>()->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

void TestFindServers::listsAnswersFirstAndKeepsACurrentRow()
{
    FakeGameServer silent(FakeGameServer::Way::Silent);
    FakeGameServer full;
    full.info = "\\hostname\\^2Full\\mapname\\q3dm6\\clients\\8\\g_humanplayers\\6"
                "\\sv_maxclients\\8\\game\\../game";
    FakeGameServer favourite;
    favourite.info = "\\hostname\\Kept\\mapname\\q3dm1\\clients\\2\\sv_maxclients\\4\\game\\CPMA";
    TestMaster master;
    Browser browser = start(master, {&silent, &full}, favourite.entry().toLatin1() + "\r\n");
    QDir(browser.game).mkdir(QStringLiteral("cpma"));

    // Nothing of the browser, and nothing on the network, before it is opened.
    QVERIFY(!browser.window->findChild<QDialog*>());
    QTest::qWait(50);
    QVERIFY(master.queries.isEmpty() && favourite.infoQueries == 0);
    QDialog* finder = open(*browser.window);
    QVERIFY(finder);

    // The favourite is known at once; the master's servers come after.
    const QStringList settled{QStringLiteral("Full"), QStringLiteral("Kept"),
                              silent.entry() + QStringLiteral(" (no answer)")};
    const auto sorted = [](QStringList texts) {
        texts.sort();
        return texts;
    };
    QTRY_COMPARE_WITH_TIMEOUT(sorted(rows(finder)), sorted(settled), 4 * kTimeoutMs + 2000);
    QCOMPARE(master.queries,
             (QByteArrayList{"getservers 68 empty full", "getservers 71 empty full"}));
    QCOMPARE(rows(finder).last(), settled.last()); // last, whatever the order of the others
    QVERIFY(rows(finder, 7).contains(QStringLiteral("Favourite")));
    QVERIFY(rows(finder, 2).contains(QStringLiteral("6/8 +2 bots")));
    // A mod named as a path is never a folder of the game's.
    QVERIFY(rows(finder, 5).contains(QStringLiteral("../game (not installed)")));
    QLabel* line = nullptr;
    for (QLabel* label : finder->findChildren<QLabel*>())
        if (label->accessibleName() == QLatin1String("Servers found"))
            line = label;
    QTRY_COMPARE(line->text(), QStringLiteral("3 servers, 8 players"));

    // Sorted the other way, the silent one stays last; filtered, a current row remains.
    auto* list = finder->findChild<QTreeView*>();
    list->sortByColumn(3, Qt::DescendingOrder);
    QCOMPARE(rows(finder).last(), settled.last());
    finder->findChild<QLineEdit*>()->setText(QStringLiteral("kept"));
    QCOMPARE(rows(finder), QStringList{QStringLiteral("Kept")});
    QVERIFY(list->currentIndex().isValid());
    QTRY_COMPARE(line->text(), QStringLiteral("1 server, 2 players"));

    // Refresh asks the master again.
    QTest::keyClick(list, Qt::Key_F5);
    QTRY_COMPARE(master.queries.size(), 4);

    // Taken, its mod joins it, named as on disk, while the box holds that server alone.
    QTRY_COMPARE(rows(finder), QStringList{QStringLiteral("Kept")});
    QTest::keyClick(list, Qt::Key_Return);
    auto* commandLine = control<QLineEdit>(*browser.window, "Text1");
    QCOMPARE(commandLine->text(),
             "+name Name +set fs_game cpma +connect " + favourite.entry() + ' ');
    control<QComboBox>(*browser.window, "Combo2")->setEditText(favourite.entry() + ' ');
    QCOMPARE(commandLine->text(), "+name Name +connect " + favourite.entry() + "  ");
}

void TestFindServers::keepsFavouritesAndMasters()
{
    FakeGameServer server;
    TestMaster master;
    Browser browser = start(master, {&server});
    QDialog* finder = open(*browser.window);
    QTRY_COMPARE(rows(finder).size(), 1);
    const auto button = [&](const char* text) {
        for (QPushButton* found : finder->findChildren<QPushButton*>())
            if (found->text() == QString::fromUtf8(text))
                return found;
        return static_cast<QPushButton*>(nullptr);
    };

    // Kept the way "+" keeps a server, and offered in the server box at once.
    click(button("&Add to favourites"));
    QCOMPARE(browser.fixture->read("SERVERS.VTL"),
             "0.0.0.0\r\n" + server.entry().toLatin1() + "\r\n");
    QVERIFY(
        listItems(control<QComboBox>(*browser.window, "Combo2")).contains(padded(server.entry())));

    // The masters' list: written whole when changed, refused with a reason when a
    // line names no master or the file cannot be written, and asked at once.
    const QByteArray before = browser.fixture->read("masters.vtl");
    const auto editMasters = [&](const QString& text) {
        QTimer::singleShot(0, [text] {
            QTRY_VERIFY(qobject_cast<QInputDialog*>(QApplication::activeModalWidget()));
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            dialog->setTextValue(text);
            dialog->accept();
        });
        click(button("&Masters…"));
    };
    const QString added = master.address() + QStringLiteral("\n\n  127.0.0.1:1  \n");
    editMasters(master.address() + QStringLiteral("\nbad host:x"));
    QVERIFY(browser.fixture->platform.messages.last().text.contains(QLatin1String("bad host:x")));
    browser.fixture->platform.failWritesTo(QStringLiteral("masters.vtl"));
    editMasters(added);
    QVERIFY(browser.fixture->platform.messages.last().text.contains(QLatin1String("masters.vtl")));
    QCOMPARE(browser.fixture->read("masters.vtl"), before);
    QCOMPARE(master.queries.size(), 2);

    browser.fixture->platform = {};
    editMasters(added);
    QCOMPARE(browser.fixture->read("masters.vtl"), before + "127.0.0.1:1\r\n");
    QTRY_COMPARE(master.queries.size(), 4);
    editMasters(QString());
    QCOMPARE(browser.fixture->read("masters.vtl"), QByteArray());
}

QTEST_MAIN(TestFindServers)
#include "tst_FindServers.moc"
