#include "app/NetworkModule.h"
#include "app/ServerBoxStatus.h"
#include "status/NetworkPlugin.h"
#include "support/FakeGameServer.h"
#include "ui/GameColours.h"
#include "ui/ServerStatusDelegate.h"
#include "ui/SortedComboBox.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCursor>
#include <QHelpEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <memory>

#include <cmath>

using State = status::ServerReport::State;

namespace {

// WCAG's contrast ratio, worked out here apart from the launcher's own.
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& colour) {
        const auto linear = [](double c) {
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    // std::minmax gives references, so its arguments must outlive them.
    const double first = luminance(a);
    const double second = luminance(b);
    const auto [dark, light] = std::minmax(first, second);
    return (light + 0.05) / (dark + 0.05);
}

} // namespace

// The server box as the user meets it: a real combo box on the offscreen
// platform, servers answering on 127.0.0.1.
class TestServerBoxStatus : public QObject {
    Q_OBJECT

private slots:
    void listAsksRowsInViewFirstAndKeepsTheTexts();
    void closingTheListStopsTheAsking();
    void tooltipShowsTheCurrentServer();
    void statusTextsAreReadable_data();
    void statusTextsAreReadable();
    void statusComesFromTheNetworkModule_data();
    void statusComesFromTheNetworkModule();

private:
    // The module's code linked in, as loaded it would be.
    status::NetworkPlugin plugin_;
    app::ServerBoxStatus::FactoryOf linked_ = [this] {
        return &plugin_;
    };
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
    auto* shown = new app::ServerBoxStatus(box, {1, 100, 1000, 30'000}, linked_);
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
        QCOMPARE(int(shown->source()->report(entries[row]).state), int(State::Answered));
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

void TestServerBoxStatus::closingTheListStopsTheAsking()
{
    std::vector<std::unique_ptr<FakeGameServer>> servers;
    QStringList entries;
    int asked = 0;
    for (int n = 0; n < 40; ++n) {
        servers.push_back(std::make_unique<FakeGameServer>());
        entries.append(servers.back()->entry());
    }
    ui::SortedComboBox box;
    box.setSortedItems(entries);
    box.show();
    auto* shown = new app::ServerBoxStatus(box, {1, 100, 1000, 30'000}, linked_);
    const auto askedSoFar = [&] {
        return std::count_if(servers.begin(), servers.end(),
                             [](const auto& server) { return !server->queries.isEmpty(); });
    };

    box.showPopup();
    QTRY_VERIFY(askedSoFar() >= 2);
    box.hidePopup();
    asked = int(askedSoFar());
    QTest::qWait(300);
    // The query out when it closed may still reach its server.
    QVERIFY2(askedSoFar() <= asked + 1, qPrintable(QString::number(askedSoFar() - asked)));
    // The bottom row, last in the queue, shows nothing rather than "asking…".
    QCOMPARE(int(shown->source()->report(box.itemText(box.count() - 1)).state),
             int(State::NotAsked));
}

void TestServerBoxStatus::tooltipShowsTheCurrentServer()
{
    FakeGameServer server(FakeGameServer::Way::Answers, 300);
    FakeGameServer later(FakeGameServer::Way::Answers, 300);
    QWidget window;
    auto* box = new ui::SortedComboBox(&window);
    auto* check = new QCheckBox(QStringLiteral("Connect to IP:"), &window);
    check->move(0, box->sizeHint().height() + 4);
    box->setEditText(server.entry() + QStringLiteral("   "));
    window.show();
    // The window's activation would close a tip shown before it.
    QVERIFY(QTest::qWaitForWindowActive(&window));
    new app::ServerBoxStatus(*box, {}, linked_);
    QCursor::setPos(box->mapToGlobal(QPoint(5, 5)));
    const auto hover = [&] {
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(box->lineEdit(), &help);
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

    // Moved on to the check box before the answer came: its tip stays.
    box->setEditText(later.entry());
    hover();
    QVERIFY(QToolTip::text().contains(QStringLiteral("asking")));
    QCursor::setPos(check->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::processEvents(); // the pointer's leaving the box closes any tip
    QToolTip::showText(check->mapToGlobal(QPoint(5, 5)), QStringLiteral("the check box's tip"),
                       check);
    QTRY_COMPARE(later.queries.size(), 1);
    QTest::qWait(500);
    QCOMPARE(QToolTip::text(), QStringLiteral("the check box's tip"));

    box->setEditText(QStringLiteral("0.0.0.0"));
    QCursor::setPos(box->mapToGlobal(QPoint(5, 5)));
    hover();
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestServerBoxStatus::statusTextsAreReadable_data()
{
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");
    ui::SortedComboBox box;
    new app::ServerBoxStatus(box, {}, linked_);
    box.showPopup();
    for (const bool selected : {false, true}) {
        const auto ink = ui::ServerStatusDelegate::inkFor(box.view()->palette(), selected);
        const char* row = selected ? "selected row" : "row";
        QTest::addRow("map, players and ping on a %s", row) << ink.text << ink.background;
        QTest::addRow("asking and no answer on a %s", row) << ink.quiet << ink.background;
    }
    for (int colour = -1; colour < 8; ++colour)
        QTest::addRow("name in colour %d on its strip", colour)
            << ui::gameColour(colour) << ui::gameBackdrop();
    const QPalette tip = QToolTip::palette();
    QTest::newRow("tooltip text") << tip.color(QPalette::ToolTipText)
                                  << tip.color(QPalette::ToolTipBase);
}

void TestServerBoxStatus::statusTextsAreReadable()
{
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    QVERIFY2(contrast(text, background) >= 4.5,
             qPrintable(QStringLiteral("%1 on %2: %3:1")
                            .arg(text.name(), background.name())
                            .arg(contrast(text, background), 0, 'f', 2)));
}

void TestServerBoxStatus::statusComesFromTheNetworkModule_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("loads");
    QTest::newRow("the module built beside the program")
        << QStringLiteral(VORTLINE_NETWORK_MODULE_FOLDER) << true;
    QTest::newRow("no module in the folder") << QCoreApplication::applicationDirPath() << false;
}

void TestServerBoxStatus::statusComesFromTheNetworkModule()
{
    QFETCH(QString, folder);
    QFETCH(bool, loads);
    FakeGameServer server;
    ui::SortedComboBox box;
    box.setSortedItems({server.entry()});
    box.show();
    auto* shown = new app::ServerBoxStatus(box, {}, [&] {
        return app::loadFromNetworkModule<app::StatusSourceFactory>({folder}, "no status");
    });

    box.showPopup();
    box.hidePopup();
    box.showPopup();
    QCOMPARE(shown->source() != nullptr, loads);
    if (loads)
        QTRY_COMPARE(int(shown->source()->report(server.entry()).state), int(State::Answered));
    else
        QVERIFY(server.queries.isEmpty()); // and nothing else happens
}

QTEST_MAIN(TestServerBoxStatus)
#include "tst_ServerBoxStatus.moc"
