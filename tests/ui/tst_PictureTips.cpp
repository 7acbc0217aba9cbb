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
#include <QVBoxLayout>

#include <functional>

namespace {

// An arena's long name as a script may give it: 1,000 characters.
QString longName()
{
    return QStringLiteral("Longest ").repeated(125);
}

// Four maps beside a line edit in an active window, the list holding the
// focus on its first map. Their tips: a text; a picture and a text; none; a
// picture and a long text.
struct TipWindow {
    TipWindow()
    {
        for (const char* name : {"a.bsp", "b.bsp", "c.bsp", "d.bsp"})
            QFile(folder.filePath(QLatin1String(name))).open(QIODevice::WriteOnly);
        list->setPattern(QStringLiteral("*.bsp"));
        list->setPath(folder.path());
        QPixmap shot(160, 120);
        shot.fill(Qt::darkRed);
        const QHash<QString, ui::PictureTipContent> tips{{"a.bsp", {QPixmap(), "Arena A"}},
                                                         {"b.bsp", {shot, "Arena B"}},
                                                         {"d.bsp", {shot, longName()}}};
        list->setTipSource([this, tips](const QString& entry) {
            asked.append(entry);
            return tips.value(entry);
        });
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(list);
        layout->addWidget(elsewhere);
        window.show();
        window.activateWindow();
        list->setFocus();
        list->setCurrentRow(0);
    }

    // The mouse resting on a row, or below the rows for -1.
    void rest(int row)
    {
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        const QPoint at = row >= 0 ? list->visualItemRect(list->item(row)).center()
                                   : last.bottomLeft() + QPoint(10, 20);
        QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(list->viewport(), &event);
    }

    // What the user sees of the tip, top down: "picture" and its text.
    QStringList shown() const
    {
        QStringList parts;
        const auto* tip = list->findChild<ui::PictureTipWindow*>();
        for (const QLabel* label :
             tip && tip->isVisible() ? tip->findChildren<QLabel*>() : QList<QLabel*>()) {
            if (label->isVisibleTo(tip))
                parts.append(label->pixmap().isNull() ? label->text() : QStringLiteral("picture"));
        }
        return parts;
    }

    QTemporaryDir folder;
    QWidget window;
    ui::FileListBox* list = new ui::FileListBox;
    QLineEdit* elsewhere = new QLineEdit;
    QStringList asked;
};

// The tip may break a text into lines and cut its end short, nothing else.
bool readsAs(QString shown, QString text)
{
    shown.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\n'));
    if (shown.endsWith(QChar(0x2026)))
        return text.startsWith(shown.chopped(1));
    return shown == text;
}

using TipGesture = std::function<void(TipWindow&)>;

} // namespace

Q_DECLARE_METATYPE(TipGesture)

class TestPictureTips : public QObject {
    Q_OBJECT

private slots:
    void tipShowsWhatTheSourceGivesForTheEntry_data();
    void tipShowsWhatTheSourceGivesForTheEntry();
};

void TestPictureTips::tipShowsWhatTheSourceGivesForTheEntry_data()
{
    QTest::addColumn<TipGesture>("gesture");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("shown");

    const auto row = [](const char* tag, TipGesture gesture, const QStringList& asked,
                        const QStringList& shown) {
        QTest::newRow(tag) << gesture << asked << shown;
    };
    const QStringList b{"b.bsp"};
    const QStringList tipB{"picture", "Arena B"};
    row(
        "rest on a file", [](TipWindow& w) { w.rest(1); }, b, tipB);
    row("rest on text only", [](TipWindow& w) { w.rest(0); }, {"a.bsp"}, {"Arena A"});
    row("rest on a file without a tip", [](TipWindow& w) { w.rest(2); }, {"c.bsp"}, {});
    row("rest on a long name", [](TipWindow& w) { w.rest(3); }, {"d.bsp"}, {"picture", longName()});
    row("rest below the files", [](TipWindow& w) { w.rest(-1); }, {}, {});
    row("rest, move to another file",
        [](TipWindow& w) {
            w.rest(1);
            QTest::mouseMove(w.list->viewport(), w.list->visualItemRect(w.list->item(0)).center());
        },
        b, {});
    row("rest, leave the list",
        [](TipWindow& w) {
            w.rest(1);
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(w.list->viewport(), &leave);
        },
        b, {});
    row("rest, refill",
        [](TipWindow& w) {
            w.rest(1);
            w.list->setPath(w.folder.path());
        },
        b, {});
    row(
        "Down", [](TipWindow& w) { QTest::keyClick(w.list, Qt::Key_Down); }, b, tipB);
    row("Down, focus elsewhere",
        [](TipWindow& w) {
            QTest::keyClick(w.list, Qt::Key_Down);
            w.elsewhere->setFocus();
        },
        b, {});
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
    const QStringList parts = w.shown();
    QCOMPARE(parts.size(), shown.size());
    for (qsizetype part = 0; part < parts.size(); ++part)
        QVERIFY2(readsAs(parts[part], shown[part]), qPrintable(parts[part]));
    const auto* tip = w.list->findChild<ui::PictureTipWindow*>();
    if (!tip || !tip->isVisible())
        return;
    const QRect screen = tip->screen()->availableGeometry();
    QVERIFY2(screen.contains(tip->frameGeometry()), "the tip runs off the screen");
    // A levelshot sets the tip's width; its text never widens it.
    const auto labels = tip->findChildren<QLabel*>();
    if (labels.size() == 2 && labels[0]->isVisibleTo(tip) && labels[1]->isVisibleTo(tip))
        QVERIFY2(labels[1]->sizeHint().width() <= labels[0]->sizeHint().width(),
                 "the text is wider than the picture");
    QCOMPARE(QApplication::focusWidget(), w.list); // never takes the focus
    const QRect row = w.list->visualItemRect(w.list->findItems(asked.last(), {}).first());
    const QRect rowOnScreen(w.list->viewport()->mapToGlobal(row.topLeft()), row.size());
    QVERIFY2(!tip->frameGeometry().intersects(rowOnScreen), "the tip covers its file");
}

QTEST_MAIN(TestPictureTips)
#include "tst_PictureTips.moc"
