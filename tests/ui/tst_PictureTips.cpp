#include "ui/FileListBox.h"
#include "ui/PictureTipWindow.h"

#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <functional>

namespace {

// Four maps in a list beside a line edit, in an active window, the list
// holding the focus on its first map. Their tips: a text; a picture and a
// text; nothing; a picture alone. The first map has a tool tip of its own.
struct TipWindow {
    TipWindow()
    {
        for (const char* name : {"a.bsp", "b.bsp", "c.bsp", "d.bsp"})
            QFile(folder.filePath(QLatin1String(name))).open(QIODevice::WriteOnly);
        list->setPattern(QStringLiteral("*.bsp"));
        list->setPath(folder.path());
        list->item(0)->setToolTip(QStringLiteral("its own"));
        QPixmap shot(160, 120);
        shot.fill(Qt::darkRed);
        const QHash<QString, ui::PictureTipContent> tips{
            {"a.bsp", {QPixmap(), "Arena A"}}, {"b.bsp", {shot, "Arena B"}}, {"d.bsp", {shot, {}}}};
        list->setTipSource([this, tips](const QString& entry) {
            asked.append(entry);
            return tips.value(entry);
        });
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(list);
        layout->addWidget(elsewhere);
        window.resize(200, 150);
        window.show();
        window.activateWindow();
        list->setFocus();
        list->setCurrentRow(0);
    }

    // A row's centre, or a point below the rows for -1.
    QPoint at(int row) const
    {
        return row >= 0 ? list->visualItemRect(list->item(row)).center()
                        : list->visualItemRect(list->item(3)).bottomLeft() + QPoint(10, 20);
    }

    // What the user sees: "picture" and the text of the tip, top down, and
    // any ordinary tool tip.
    QStringList shown() const
    {
        QStringList parts;
        const auto* tip = list->findChild<ui::PictureTipWindow*>();
        for (const QLabel* label :
             tip && tip->isVisible() ? tip->findChildren<QLabel*>() : QList<QLabel*>()) {
            if (label->isVisibleTo(tip))
                parts.append(label->pixmap().isNull() ? label->text() : QStringLiteral("picture"));
        }
        if (QToolTip::isVisible())
            parts.append(QToolTip::text());
        return parts;
    }

    QTemporaryDir folder;
    QWidget window;
    ui::FileListBox* list = new ui::FileListBox;
    QLineEdit* elsewhere = new QLineEdit;
    QStringList asked;
};

using TipGesture = std::function<void(TipWindow&)>;

TipGesture rest(int row)
{
    return [row](TipWindow& w) {
        QHelpEvent event(QEvent::ToolTip, w.at(row), w.list->viewport()->mapToGlobal(w.at(row)));
        QCoreApplication::sendEvent(w.list->viewport(), &event);
    };
}

TipGesture mouse(QEvent::Type type, int row, Qt::MouseButton button = Qt::NoButton)
{
    return [=](TipWindow& w) {
        QMouseEvent event(type, w.at(row), w.list->viewport()->mapToGlobal(w.at(row)), button,
                          button, Qt::NoModifier);
        QCoreApplication::sendEvent(w.list->viewport(), &event);
    };
}

TipGesture keys(const QList<Qt::Key>& keys)
{
    return [keys](TipWindow& w) {
        for (const Qt::Key key : keys)
            QTest::keyClick(w.list, key);
    };
}

// The window moved into a corner of the screen.
TipGesture corner(Qt::Alignment corner)
{
    return [corner](TipWindow& w) {
        const QRect screen = w.window.screen()->availableGeometry();
        const QSize size = w.window.frameGeometry().size();
        w.window.move(corner & Qt::AlignLeft ? screen.left() : screen.right() - size.width() + 1,
                      corner & Qt::AlignTop ? screen.top() : screen.bottom() - size.height() + 1);
    };
}

TipGesture steps(const QList<TipGesture>& gestures)
{
    return [gestures](TipWindow& w) {
        for (const TipGesture& gesture : gestures)
            gesture(w);
    };
}

} // namespace

Q_DECLARE_METATYPE(TipGesture)

class TestPictureTips : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QToolTip::hideText(); }
    void tipShowsWhatTheSourceGivesForTheEntry_data();
    void tipShowsWhatTheSourceGivesForTheEntry();
};

void TestPictureTips::tipShowsWhatTheSourceGivesForTheEntry_data()
{
    QTest::addColumn<TipGesture>("gesture");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("shown");

    const TipGesture leave = [](TipWindow& w) {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(w.list->viewport(), &event);
    };
    const TipGesture wheel = [](TipWindow& w) {
        QWheelEvent event(w.at(1), w.list->viewport()->mapToGlobal(w.at(1)), {}, QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w.list->viewport(), &event);
    };
    const TipGesture refill = [](TipWindow& w) {
        w.list->setPath(w.folder.path());
    };
    const TipGesture hide = [](TipWindow& w) {
        w.list->hide();
    };
    const TipGesture noSource = [](TipWindow& w) {
        w.list->setTipSource({});
    };
    const TipGesture focusElsewhere = [](TipWindow& w) {
        w.elsewhere->setFocus();
    };
    const TipGesture otherWindow = [](TipWindow&) {
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    };

    const QStringList none;
    const QStringList b{"b.bsp"};
    const QStringList d{"d.bsp"};
    const QStringList tipB{"picture", "Arena B"};
    const QStringList pictureOnly{"picture"};
    QTest::newRow("rest on a file") << rest(1) << b << tipB;
    QTest::newRow("rest on text only") << rest(0) << QStringList{"a.bsp"} << QStringList{"Arena A"};
    QTest::newRow("rest on a picture only") << rest(3) << d << pictureOnly;
    QTest::newRow("rest on a file without a tip") << rest(2) << QStringList{"c.bsp"} << none;
    QTest::newRow("rest below the files") << rest(-1) << none << none;
    QTest::newRow("rest on a picture, then on text only")
        << steps({rest(1), rest(0)}) << QStringList{"b.bsp", "a.bsp"} << QStringList{"Arena A"};
    QTest::newRow("rest, move within the file")
        << steps({rest(1), mouse(QEvent::MouseMove, 1)}) << b << tipB;
    QTest::newRow("rest, move to another file")
        << steps({rest(1), mouse(QEvent::MouseMove, 0)}) << b << none;
    QTest::newRow("rest, move off the files")
        << steps({rest(1), mouse(QEvent::MouseMove, -1)}) << b << none;
    QTest::newRow("rest, press") << steps({rest(1),
                                           mouse(QEvent::MouseButtonPress, 1, Qt::RightButton)})
                                 << b << none;
    QTest::newRow("rest, wheel") << steps({rest(1), wheel}) << b << none;
    QTest::newRow("rest, leave the list") << steps({rest(1), leave}) << b << none;
    QTest::newRow("rest, refill") << steps({rest(1), refill}) << b << none;
    QTest::newRow("focus elsewhere, rest, list hidden")
        << steps({focusElsewhere, rest(1), hide}) << b << none;
    QTest::newRow("focus elsewhere, rest, another window active")
        << steps({focusElsewhere, rest(1), otherWindow}) << b << none;
    QTest::newRow("rest, source taken away, rest")
        << steps({rest(1), noSource, rest(0)}) << b << QStringList{"its own"};
    QTest::newRow("Down") << keys({Qt::Key_Down}) << b << tipB;
    QTest::newRow("typed letter") << keys({Qt::Key_D}) << d << pictureOnly;
    QTest::newRow("Up on the first file") << keys({Qt::Key_Up}) << none << none;
    QTest::newRow("Down, Shift") << keys({Qt::Key_Down, Qt::Key_Shift}) << b << tipB;
    QTest::newRow("Down, Space") << keys({Qt::Key_Down, Qt::Key_Space}) << b << none;
    QTest::newRow("Down onto a file without a tip")
        << keys({Qt::Key_Down, Qt::Key_Down}) << QStringList{"b.bsp", "c.bsp"} << none;
    QTest::newRow("Down, focus elsewhere")
        << steps({keys({Qt::Key_Down}), focusElsewhere}) << b << none;
    // Near the screen's edges the tip turns to the other side of its file.
    for (const Qt::Alignment edge : {Qt::AlignTop, Qt::AlignBottom}) {
        const char* where = edge == Qt::AlignTop ? "top right" : "bottom right";
        const TipGesture toCorner = corner(Qt::AlignRight | edge);
        QTest::addRow("rest, window %s", where) << steps({toCorner, rest(1)}) << b << tipB;
        QTest::addRow("Down, window %s", where)
            << steps({toCorner, keys({Qt::Key_Down})}) << b << tipB;
    }
}

void TestPictureTips::tipShowsWhatTheSourceGivesForTheEntry()
{
    QFETCH(TipGesture, gesture);
    QFETCH(QStringList, asked);
    QFETCH(QStringList, shown);
    TipWindow w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.asked.clear();

    gesture(w);
    QCOMPARE(w.asked, asked);
    QCOMPARE(w.shown(), shown);
    const auto* tip = w.list->findChild<ui::PictureTipWindow*>();
    if (!tip || !tip->isVisible())
        return;
    QCOMPARE(tip->size(), tip->sizeHint());        // fits what it shows now, not before
    QCOMPARE(QApplication::focusWidget(), w.list); // never takes the focus
    const QRect row = w.list->visualItemRect(w.list->findItems(asked.last(), {}).first());
    const QRect rowOnScreen(w.list->viewport()->mapToGlobal(row.topLeft()), row.size());
    QVERIFY(w.window.screen()->availableGeometry().contains(tip->frameGeometry()));
    QVERIFY2(!tip->frameGeometry().intersects(rowOnScreen), "the tip covers its file");
}

QTEST_MAIN(TestPictureTips)
#include "tst_PictureTips.moc"
