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
    void findsKeepsAndTakesServers();
};

void TestFindServers::findsKeepsAndTakesServers()
{
    FakeGameServer silent(FakeGameServer::Way::Silent);
    FakeGameServer full;
    full.info = "\\hostname\\^2Full\\mapname\\q3dm6\\clients\\8\\g_humanplayers\\6"
                "\\sv_maxclients\\8\\game\\../game";
    FakeGameServer favourite;
    favourite.info = "\\hostname\\Kept\\mapname\\q3dm1\\clients\\2\\sv_maxclients\\4\\game\\CPMA";
    TestMaster master;
    for (const FakeGameServer* server : {&silent, &full})
        master.list({{0x7f000001, server->port()}});
    Form1Fixture fixture;
    const QString game = fixture.makeGame();
    QDir(game).mkdir(QStringLiteral("cpma"));
    fixture.write("vortline.cfg", record(game));
    fixture.write("SERVERS.VTL", favourite.entry().toLatin1() + "\r\n");
    fixture.write("masters.vtl", master.address().toLatin1() + "\r\n");
    app::Form1& window = fixture.start();
    status::NetworkPlugin module;
    app::FindServersOptions options;
    options.limits.timeoutMs = 300; // silence is soon told on loopback
    options.localNetwork.clear();
    window.setFindServersSource([&module] { return &module; }, options);

    // Nothing of the browser, and nothing on the network, before it is opened.
    QVERIFY(!window.findChild<QDialog*>());
    QTest::qWait(50);
    QVERIFY(master.queries.isEmpty() && favourite.infoQueries == 0);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    auto* finder = window.findChild<QDialog*>();
    QVERIFY(finder && finder->isVisible() && finder->windowTitle() == "Find servers");
    auto* list = finder->findChild<QTreeView*>();
    const auto rows = [list](int column = 0) {
        QStringList texts;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            texts.append(list->model()->index(row, column).data().toString());
        return texts;
    };
    const auto button = [finder](const char* text) {
        for (QPushButton* found : finder->findChildren<QPushButton*>())
            if (found->text() == QString::fromUtf8(text))
                return found;
        return static_cast<QPushButton*>(nullptr);
    };
    QLabel* line = nullptr;
    for (QLabel* label : finder->findChildren<QLabel*>())
        if (label->accessibleName() == QLatin1String("Servers found"))
            line = label;

    // The favourite is known at once, the master's servers come after, each once
    // though listed for both protocols, and the silent one stays last either way.
    const QStringList settled{"Full", "Kept", silent.entry() + " (no answer)"};
    const auto sorted = [](QStringList texts) {
        texts.sort();
        return texts;
    };
    QTRY_COMPARE_WITH_TIMEOUT(sorted(rows()), sorted(settled), 3000);
    QCOMPARE(master.queries,
             (QByteArrayList{"getservers 68 empty full", "getservers 71 empty full"}));
    QCOMPARE(rows().last(), settled.last());
    list->sortByColumn(3, Qt::DescendingOrder);
    QCOMPARE(rows().last(), settled.last());
    QVERIFY(rows(7).contains("Favourite") && rows(2).contains("6/8 +2 bots"));
    // A mod named as a path is never a folder of the game's.
    QVERIFY(rows(5).contains("../game (not installed)"));
    QTRY_COMPARE(line->text(), QStringLiteral("3 servers, 8 players"));

    // Kept the way "+" keeps a server, and offered in the server box at once.
    finder->findChild<QLineEdit*>()->setText(QStringLiteral("full"));
    QCOMPARE(rows(), QStringList{"Full"});
    QTRY_COMPARE(line->text(), QStringLiteral("1 server, 6 players"));
    click(button("&Add to favourites"));
    QCOMPARE(fixture.read("SERVERS.VTL"),
             (favourite.entry() + "\r\n" + full.entry() + "\r\n").toLatin1());
    QVERIFY(listItems(control<QComboBox>(window, "Combo2")).contains(padded(full.entry())));

    // F5 asks again; so do masters changed, written whole, a line naming none refused.
    QTest::keyClick(list, Qt::Key_F5);
    QTRY_COMPARE(master.queries.size(), 4);
    const auto editMasters = [&](const QString& text) {
        QTimer::singleShot(0, [text] {
            QTRY_VERIFY(qobject_cast<QInputDialog*>(QApplication::activeModalWidget()));
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            dialog->setTextValue(text);
            dialog->accept();
        });
        click(button("&Masters…"));
    };
    editMasters(master.address() + "\nbad host:x");
    QVERIFY(fixture.platform.messages.last().text.contains(QLatin1String("bad host:x")));
    QCOMPARE(fixture.read("masters.vtl"), master.address().toLatin1() + "\r\n");
    editMasters(master.address() + "\n\n  127.0.0.1:1  \n");
    QCOMPARE(fixture.read("masters.vtl"), master.address().toLatin1() + "\r\n127.0.0.1:1\r\n");
    QTRY_COMPARE(master.queries.size(), 6);

    // Taken, its mod joins it, named as on disk, while the box holds that server alone.
    finder->findChild<QLineEdit*>()->setText(QStringLiteral("kept"));
    QTRY_COMPARE(rows(), QStringList{"Kept"});
    QTest::keyClick(list, Qt::Key_Return);
    auto* commandLine = control<QLineEdit>(window, "Text1");
    QCOMPARE(commandLine->text(),
             "+name Name +set fs_game cpma +connect " + favourite.entry() + ' ');
    control<QComboBox>(window, "Combo2")->setEditText(favourite.entry() + ' ');
    QCOMPARE(commandLine->text(), "+name Name +connect " + favourite.entry() + "  ");
}

QTEST_MAIN(TestFindServers)
#include "tst_FindServers.moc"
