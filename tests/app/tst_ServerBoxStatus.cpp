#include "app/ServerBoxStatus.h"
#include "support/FakeGameServer.h"
#include "ui/SortedComboBox.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <memory>

using State = status::ServerReport::State;

// The server box as the user meets it: a real combo box on the offscreen
// platform, servers answering on 127.0.0.1.
class TestServerBoxStatus : public QObject {
    Q_OBJECT

private slots:
    void listAsksRowsInViewFirstAndKeepsTheTexts();
    void tooltipShowsTheCurrentServer();
};

void TestServerBoxStatus::listAsksRowsInViewFirstAndKeepsTheTexts()
{
    QList<FakeGameServer*> order;
    std::vector<std::unique_ptr<FakeGameServer>> servers;
    QStringList entries;
    for (int n = 0; n < 40; ++n) {
        servers.push_back(
            std::make_unique<FakeGameServer>(FakeGameServer::Way::Answers, 0, &order));
        entries.append(servers.back()->entry());
    }
    ui::SortedComboBox box;
    box.setSortedItems(entries);
    box.setEditText(QStringLiteral("typed"));
    box.show();
    // One at a time, so the order they are asked in shows.
    auto* shown = new app::ServerBoxStatus(box, {1, 100, 1000, 30'000});
    const auto asked = [&](int at) {
        return box.findText(order.at(at)->entry());
    };

    box.view()->verticalScrollBar()->setValue(0);
    box.showPopup();
    const int rowsInView = box.view()->viewport()->height() / box.view()->sizeHintForRow(0);
    QVERIFY(rowsInView > 2 && rowsInView < 40);
    QTRY_VERIFY(order.size() >= rowsInView);
    for (int at = 0; at < rowsInView; ++at)
        QCOMPARE(asked(at), box.view()->indexAt(QPoint(1, 1)).row() + at);
    const qsizetype beforeScrolling = order.size();
    box.view()->verticalScrollBar()->setValue(box.view()->verticalScrollBar()->maximum());
    QTRY_VERIFY_WITH_TIMEOUT(order.size() == 40, 5000);
    // The bottom rows jump the queue once in view; one query may have been on its way.
    QVERIFY(asked(beforeScrolling + 1) >= 40 - rowsInView);
    QVERIFY(box.view()->width() > box.width() * 2);

    for (int row = 0; row < 40; ++row)
        QCOMPARE(int(shown->board().report(entries[row]).state), int(State::Answered));
    QCOMPARE(box.count(), 40);
    entries.sort(Qt::CaseInsensitive);
    for (int row = 0; row < 40; ++row)
        QCOMPARE(box.itemText(row), entries[row]);
    QCOMPARE(box.currentText(), QStringLiteral("typed"));
    // The name is drawn in the game's red beside its entry.
    const QImage rows = box.view()->viewport()->grab().toImage();
    bool red = false;
    for (int y = 0; y < rows.height() && !red; ++y)
        for (int x = rows.width() / 4; x < rows.width() && !red; ++x)
            red = rows.pixelColor(x, y).red() > 200 && rows.pixelColor(x, y).green() < 60;
    QVERIFY(red);
}

void TestServerBoxStatus::tooltipShowsTheCurrentServer()
{
    FakeGameServer server(FakeGameServer::Way::Answers, 300);
    ui::SortedComboBox box;
    box.setEditText(server.entry() + QStringLiteral("   "));
    box.show();
    // The window's activation would close a tip shown before it.
    QVERIFY(QTest::qWaitForWindowActive(&box));
    new app::ServerBoxStatus(box);
    const auto hover = [&] {
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(box.lineEdit(), &help);
    };

    hover();
    QVERIFY(QToolTip::text().contains(QStringLiteral("asking")));

    // The tip follows the answer while it is up.
    QTRY_VERIFY(
        QToolTip::text().contains(QStringLiteral("<span style=\"color:#ff0000\">Test</span>")));
    QVERIFY(QToolTip::text().contains(QStringLiteral("<span style=\"color:#00ff00\">bot</span>")));
    QCOMPARE(server.queries.size(), 1);
    hover();
    QCOMPARE(server.queries.size(), 1); // fresh: not asked again

    box.setEditText(QStringLiteral("0.0.0.0"));
    hover();
    QTRY_VERIFY(!QToolTip::isVisible());
}

QTEST_MAIN(TestServerBoxStatus)
#include "tst_ServerBoxStatus.moc"
