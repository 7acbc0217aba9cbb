#include "ui/FileListBox.h"
#include "ui/SortedComboBox.h"
#include "ui/Timer.h"
#include "ui/Twips.h"
#include "ui/ValueCheckBox.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
    void fileListShowsMatchingFilesSorted();
    void fileListKeepsItsFolderWhenANewOneFails();
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
    ui::SortedComboBox box;
    for (const QString& item : added)
        box.addSortedItem(item);
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items.append(box.itemText(i));
    QCOMPARE(items, listed);
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
