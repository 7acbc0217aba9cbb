#include "ui/FileListBox.h"
#include "ui/SortedComboBox.h"
#include "ui/Timer.h"
#include "ui/Twips.h"
#include "ui/ValueCheckBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <functional>

namespace {

// The model box in an active window beside another control, holding the
// focus with Sarge chosen, as a user finds it after picking a model.
struct ComboWindow {
    ComboWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(elsewhere);
        for (const char* model : {"Ned", "Decay", "Sarge", "terrance"})
            box->addSortedItem(QLatin1String(model));
        box->setCurrentIndex(box->findText(QStringLiteral("Sarge")));
        window.show();
        window.activateWindow();
        box->setFocus();
    }

    QWidget window;
    ui::SortedComboBox* box = new ui::SortedComboBox;
    QLineEdit* elsewhere = new QLineEdit;
};

using ComboGesture = std::function<void(ComboWindow&)>;
using ListGesture = std::function<void(QListWidget&)>;

// Keys as the keyboard sends them: to the focus widget, which for an
// editable combo box is the box rather than its edit.
void press(const QList<Qt::Key>& keys, Qt::KeyboardModifiers modifiers = {})
{
    for (const Qt::Key key : keys)
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

ComboGesture keys(const QList<Qt::Key>& keys)
{
    return [keys](ComboWindow&) {
        press(keys);
    };
}

ComboGesture keyToTheEdit(Qt::Key key)
{
    return [key](ComboWindow& w) {
        QTest::keyClick(w.box->lineEdit(), key);
    };
}

ComboGesture wheel(int delta)
{
    return [delta](ComboWindow& w) {
        const QPoint at = w.box->rect().center();
        QWheelEvent event(at, w.box->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.box, &event);
    };
}

ComboGesture clickInPopup(const QString& item)
{
    return [item](ComboWindow& w) {
        press({Qt::Key_F4});
        QAbstractItemView* list = w.box->view();
        const QRect rect = list->visualRect(w.box->model()->index(w.box->findText(item), 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    };
}

QPoint centreOf(QListWidget& list, int row)
{
    return list.visualItemRect(list.item(row)).center();
}

QPoint belowTheItems(QListWidget& list)
{
    const QPoint below = centreOf(list, list.count() - 1) + QPoint(0, 40);
    Q_ASSERT(list.viewport()->rect().contains(below) && !list.itemAt(below));
    return below;
}

// A click on a row of the list, or below its items for row -1.
ListGesture click(int row, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = {})
{
    return [=](QListWidget& list) {
        QTest::mouseClick(list.viewport(), button, modifiers,
                          row < 0 ? belowTheItems(list) : centreOf(list, row));
    };
}

ListGesture listKeys(const QList<Qt::Key>& keys, Qt::KeyboardModifiers modifiers = {})
{
    return [=](QListWidget& list) {
        for (const Qt::Key key : keys)
            QTest::keyClick(&list, key, modifiers);
    };
}

} // namespace

Q_DECLARE_METATYPE(ComboGesture)
Q_DECLARE_METATYPE(ListGesture)

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void checkBoxHoldsThreeValues();
    void checkBoxClickTogglesCheckedAndUnchecked_data();
    void checkBoxClickTogglesCheckedAndUnchecked();
    void comboKeepsItsListSorted_data();
    void comboKeepsItsListSorted();
    void comboListChangesLeaveTheText();
    void comboNeverAddsTypedText();
    void comboReportsItemsChosenFromTheList_data();
    void comboReportsItemsChosenFromTheList();
    void comboCommittingTypedTextIsNoChoice_data();
    void comboCommittingTypedTextIsNoChoice();
    void fileListShowsMatchingFilesSorted();
    void fileListKeepsItsFolderWhenANewOneFails();
    void fileListMatchesAsWildcardExpressionsDo_data();
    void fileListMatchesAsWildcardExpressionsDo();
    void fileListChoiceCannotBeEmptied_data();
    void fileListChoiceCannotBeEmptied();
    void enablingARunningTimerKeepsItsTick();
    void twipsRoundToPixels();
};

void TestControls::checkBoxHoldsThreeValues()
{
    ui::ValueCheckBox box;
    QSignalSpy changes(&box, &ui::ValueCheckBox::valueChanged);
    for (int value : {1, 2, 0, 2})
        QVERIFY(box.setValue(value));
    QVERIFY(box.setValue(2));
    for (int refused : {3, -1, 100})
        QVERIFY(!box.setValue(refused));
    QCOMPARE(box.value(), 2);
    QCOMPARE(changes.size(), 4);
    QCOMPARE(changes.last().first().toInt(), 2);
}

void TestControls::checkBoxClickTogglesCheckedAndUnchecked_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("unchecked") << 0 << 1;
    QTest::newRow("checked") << 1 << 0;
    QTest::newRow("greyed") << 2 << 1;
}

void TestControls::checkBoxClickTogglesCheckedAndUnchecked()
{
    QFETCH(int, before);
    QFETCH(int, after);
    ui::ValueCheckBox box;
    box.resize(20, 20);
    box.setValue(before);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(box.value(), after);
}

void TestControls::comboKeepsItsListSorted_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("models") << QStringList{"Ned", "Decay", "Sarge", "terrance"}
                            << QStringList{"Decay", "Ned", "Sarge", "terrance"};
    QTest::newRow("twins side by side") << QStringList{"Ned", "Decay", "Ned", "Decay"}
                                        << QStringList{"Decay", "Decay", "Ned", "Ned"};
    QTest::newRow("case ignored, later twin after")
        << QStringList{"b", "B", "a", "A"} << QStringList{"a", "A", "b", "B"};
}

void TestControls::comboKeepsItsListSorted()
{
    QFETCH(QStringList, added);
    QFETCH(QStringList, listed);
    ui::SortedComboBox oneByOne;
    for (const QString& item : added)
        oneByOne.addSortedItem(item);
    // Filling the list in one go must give the very same order.
    ui::SortedComboBox atOnce;
    atOnce.setEditText(QStringLiteral("typed"));
    atOnce.setSortedItems(added);
    for (const ui::SortedComboBox* box : {&oneByOne, &atOnce}) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items.append(box->itemText(i));
        QCOMPARE(items, listed);
    }
    QCOMPARE(atOnce.currentIndex(), -1);
    QCOMPARE(atOnce.currentText(), QStringLiteral("typed"));
}

void TestControls::comboListChangesLeaveTheText()
{
    ui::SortedComboBox box;
    box.setEditText(QStringLiteral("Select Skin"));
    QSignalSpy edits(&box, &QComboBox::editTextChanged);
    box.addSortedItem(QStringLiteral("Ned"));
    box.addSortedItem(QStringLiteral("Decay"));
    QCOMPARE(box.currentText(), QStringLiteral("Select Skin"));
    QCOMPARE(box.currentIndex(), -1);

    box.setCurrentIndex(1);
    QCOMPARE(box.currentText(), QStringLiteral("Ned"));
    box.clearList();
    QCOMPARE(box.count(), 0);
    QCOMPARE(box.currentText(), QStringLiteral("Ned"));
    QCOMPARE(edits.size(), 1); // only the pick changed the text
}

void TestControls::comboNeverAddsTypedText()
{
    ui::SortedComboBox box;
    box.addSortedItem(QStringLiteral("Ned"));
    box.lineEdit()->clear();
    QTest::keyClicks(box.lineEdit(), QStringLiteral("N"));
    QCOMPARE(box.currentText(), QStringLiteral("N")); // no completion to "Ned"
    QTest::keyClicks(box.lineEdit(), QStringLiteral("ew"));
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    QCOMPARE(box.count(), 1);
    QCOMPARE(box.currentText(), QStringLiteral("New"));
}

void TestControls::comboReportsItemsChosenFromTheList_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<ComboGesture>("choose");
    QTest::addColumn<QString>("chosen");

    const QString none;
    QTest::newRow("Down") << none << keys({Qt::Key_Down}) << "terrance";
    QTest::newRow("Up") << none << keys({Qt::Key_Up}) << "Ned";
    QTest::newRow("PageDown") << none << keys({Qt::Key_PageDown}) << "terrance";
    QTest::newRow("PageUp") << none << keys({Qt::Key_PageUp}) << "Ned";
    QTest::newRow("Down straight to the edit") << none << keyToTheEdit(Qt::Key_Down) << "terrance";
    QTest::newRow("Down after typing") << "Ned" << keys({Qt::Key_Down}) << "terrance";
    QTest::newRow("wheel down") << none << wheel(-120) << "terrance";
    QTest::newRow("wheel up") << none << wheel(120) << "Ned";
    QTest::newRow("click in the popup") << "Sar" << clickInPopup("Decay") << "Decay";
    QTest::newRow("popup click over typed text equal to an item")
        << "Ned" << clickInPopup("Ned") << "Ned";
    QTest::newRow("keys in the popup")
        << none << keys({Qt::Key_F4, Qt::Key_Up, Qt::Key_Return}) << "Ned";
}

void TestControls::comboReportsItemsChosenFromTheList()
{
    QFETCH(QString, typed);
    QFETCH(ComboGesture, choose);
    QFETCH(QString, chosen);
    ComboWindow w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    if (!typed.isEmpty()) {
        press({Qt::Key_A}, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), typed);
    }
    QSignalSpy choices(w.box, &ui::SortedComboBox::itemChosen);

    choose(w);
    QCOMPARE(choices.size(), 1);
    QCOMPARE(choices[0][0].toInt(), w.box->findText(chosen));
    QCOMPARE(w.box->currentText(), chosen);
}

void TestControls::comboCommittingTypedTextIsNoChoice_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<ComboGesture>("commit");

    const ComboGesture enter = keys({Qt::Key_Return});
    QTest::newRow("Return") << "Ned" << enter;
    QTest::newRow("Enter") << "Ned" << keys({Qt::Key_Enter});
    QTest::newRow("Return straight to the edit") << "Ned" << keyToTheEdit(Qt::Key_Return);
    QTest::newRow("Tab") << "Ned" << keys({Qt::Key_Tab});
    QTest::newRow("popup opened and closed") << "Ned" << keys({Qt::Key_F4, Qt::Key_Escape});
    QTest::newRow("Home and End move the caret") << "Ned" << keys({Qt::Key_Home, Qt::Key_End});
    QTest::newRow("click elsewhere") << "Ned" << ComboGesture([](ComboWindow& w) {
        QTest::mouseClick(w.elsewhere, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), w.elsewhere);
    });
    QTest::newRow("another window") << "Ned" << ComboGesture([](ComboWindow& w) {
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!w.window.isActiveWindow());
    });
    QTest::newRow("case differs") << "ned" << enter;
    QTest::newRow("part of an item") << "Ne" << enter;
    QTest::newRow("the chosen item") << "Sarge" << enter;
}

void TestControls::comboCommittingTypedTextIsNoChoice()
{
    QFETCH(QString, typed);
    QFETCH(ComboGesture, commit);
    ComboWindow w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    press({Qt::Key_A}, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), typed);
    QSignalSpy choices(w.box, &ui::SortedComboBox::itemChosen);

    commit(w);
    QCOMPARE(choices.size(), 0);
    QCOMPARE(w.box->currentText(), typed);
    QCOMPARE(w.box->count(), 4);
}

void TestControls::fileListShowsMatchingFilesSorted()
{
    QTemporaryDir folder;
    for (const char* name :
         {"q3dm17.bsp", "B.MAP", "a.Bsp", "notes.txt", "x.bsp.bak", ".hidden.bsp"}) {
        QFile file(folder.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QDir(folder.path()).mkdir(QStringLiteral("dir.bsp"));

    ui::FileListBox list;
    list.setPattern(QStringLiteral("*.bsp ; *.map"));
    QVERIFY(list.setPath(folder.path()));
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names.append(list.item(i)->text());
    QCOMPARE(names, QStringList({"a.Bsp", "B.MAP", "q3dm17.bsp"}));
    QVERIFY(list.fileName().isEmpty());

    QSignalSpy clicks(&list, &ui::FileListBox::fileClicked);
    list.setCurrentRow(1);
    QCOMPARE(list.fileName(), QStringLiteral("B.MAP"));
    QCOMPARE(clicks.size(), 1);

    QVERIFY(list.setPath(folder.path()));
    QVERIFY(list.fileName().isEmpty());
    QCOMPARE(clicks.size(), 1);
}

void TestControls::fileListMatchesAsWildcardExpressionsDo_data()
{
    QTest::addColumn<QString>("pattern");
    for (const char* pattern :
         {"*.bsp ; *.map", "quake3.exe", "q?dm*.b?p", "*", "*.*", "*bsp*", "**.map", "a[1].bsp",
          "[ab].bsp", "?", "*.", "\u00df.MAP", "*T\u00c9.BSP"})
        QTest::newRow(pattern) << QString::fromUtf8(pattern);
}

void TestControls::fileListMatchesAsWildcardExpressionsDo()
{
    QFETCH(QString, pattern);
    QTemporaryDir folder;
    const QStringList names{"q3dm1.bsp",         "Q3DM17.BSP", "a.b.bsp", "bsp",
                            "x.bsp.bak",         "xbsp",       "q3.MaP",  "Quake3.EXE",
                            "quake3.exe.old",    "a[1].bsp",   "a.bsp",   "b",
                            "\u00e9t\u00e9.Bsp", "\u1e9e.map", "x."};
    for (const QString& name : names)
        QVERIFY(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));

    ui::FileListBox list;
    list.setPattern(pattern);
    QVERIFY(list.setPath(folder.path()));
    QStringList listed;
    for (int i = 0; i < list.count(); ++i)
        listed.append(list.item(i)->text());

    QStringList expected;
    for (const QString& name : names) {
        for (const QString& part : pattern.split(QLatin1Char(';'))) {
            const QRegularExpression wildcard(
                QRegularExpression::wildcardToRegularExpression(part.trimmed()),
                QRegularExpression::CaseInsensitiveOption);
            if (!part.trimmed().isEmpty() && wildcard.match(name).hasMatch()) {
                expected.append(name);
                break;
            }
        }
    }
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    QCOMPARE(listed, expected);
}

void TestControls::fileListKeepsItsFolderWhenANewOneFails()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("m.bsp")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    ui::FileListBox list;
    list.setPattern(QStringLiteral("*.bsp"));
    QVERIFY(list.setPath(folder.path()));

    QVERIFY(!list.setPath(folder.filePath(QStringLiteral("missing"))));
    QVERIFY(!list.setPath(file.fileName()));
    QVERIFY(!list.setPath(QString()));
    QCOMPARE(list.path(), folder.path());
    QCOMPARE(list.count(), 1);
}

void TestControls::fileListChoiceCannotBeEmptied_data()
{
    QTest::addColumn<ListGesture>("gesture");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("reports"); // fileClicked signals

    const QString kept = QStringLiteral("b.bsp");
    QTest::newRow("Ctrl+click on it") << click(1, Qt::LeftButton, Qt::ControlModifier) << kept << 0;
    QTest::newRow("Ctrl+right click on it")
        << click(1, Qt::RightButton, Qt::ControlModifier) << kept << 0;
    QTest::newRow("click below the files") << click(-1) << kept << 0;
    QTest::newRow("right click below") << click(-1, Qt::RightButton) << kept << 0;
    QTest::newRow("Ctrl+click below")
        << click(-1, Qt::LeftButton, Qt::ControlModifier) << kept << 0;
    QTest::newRow("Shift+click below") << click(-1, Qt::LeftButton, Qt::ShiftModifier) << kept << 0;
    QTest::newRow("drag from it to below") << ListGesture([](QListWidget& list) {
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, centreOf(list, 1));
        QTest::mouseMove(list.viewport(), belowTheItems(list));
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, belowTheItems(list));
    }) << kept << 0;
    QTest::newRow("Ctrl+Space") << listKeys({Qt::Key_Space}, Qt::ControlModifier) << kept << 0;
    QTest::newRow("Ctrl+Down, Ctrl+Space")
        << listKeys({Qt::Key_Down, Qt::Key_Space}, Qt::ControlModifier) << "c.bsp" << 1;
    QTest::newRow("click another") << click(0) << "a.bsp" << 1;
    QTest::newRow("Ctrl+click another")
        << click(2, Qt::LeftButton, Qt::ControlModifier) << "c.bsp" << 1;
    QTest::newRow("Down") << listKeys({Qt::Key_Down}) << "c.bsp" << 1;
    // A click on the chosen file is reported each time, so the window can act on it again.
    QTest::newRow("three clicks on it") << ListGesture([](QListWidget& list) {
        for (int i = 0; i < 3; ++i)
            click(1)(list);
    }) << kept << 3;
    QTest::newRow("double click on it") << ListGesture([](QListWidget& list) {
        click(1)(list);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centreOf(list, 1));
    }) << kept << 1;
    QTest::newRow("right click on it") << click(1, Qt::RightButton) << kept << 0;
    QTest::newRow("Space on it") << listKeys({Qt::Key_Space}) << kept << 0;
}

void TestControls::fileListChoiceCannotBeEmptied()
{
    QFETCH(ListGesture, gesture);
    QFETCH(QString, chosen);
    QFETCH(int, reports);
    QTemporaryDir folder;
    for (const char* name : {"a.bsp", "b.bsp", "c.bsp"}) {
        QFile file(folder.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    ui::FileListBox list;
    list.setPattern(QStringLiteral("*.bsp"));
    QVERIFY(list.setPath(folder.path()));
    list.resize(200, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    click(1)(list);
    QCOMPARE(list.fileName(), QStringLiteral("b.bsp"));
    QSignalSpy clicks(&list, &ui::FileListBox::fileClicked);

    gesture(list);
    QCOMPARE(list.fileName(), chosen);
    QCOMPARE(list.selectedItems().size(), 1);
    QCOMPARE(clicks.size(), reports);

    QVERIFY(list.setPath(folder.path()));
    QVERIFY(list.fileName().isEmpty());
}

void TestControls::enablingARunningTimerKeepsItsTick()
{
    ui::Timer timer(1000);
    QVERIFY(!timer.isEnabled());
    timer.setEnabled(true);
    QTest::qWait(120);
    const int remaining = timer.remainingTime();
    timer.setEnabled(true);
    QVERIFY(timer.remainingTime() <= remaining);
    timer.setEnabled(false);
    QVERIFY(!timer.isEnabled());
}

void TestControls::twipsRoundToPixels()
{
    QCOMPARE(ui::pixels(6255), 417);
    QCOMPARE(ui::pixels(4725), 315);
    QCOMPARE(ui::pixels(5000), 333);
    QCOMPARE(ui::pixels(7), 0);
    QCOMPARE(ui::pixels(8), 1);
    QCOMPARE(ui::pixels(-500), -33);
    QCOMPARE(ui::pixels(-8), -1);
}

QTEST_MAIN(TestControls)
#include "tst_Controls.moc"
