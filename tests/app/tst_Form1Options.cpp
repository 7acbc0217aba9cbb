#include "Form1Fixture.h"

#include "ui/ValueCheckBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

using platform::MessageIcon;
using platform::WindowStyle;

namespace {

QString arguments(QWidget& window)
{
    return control<QLineEdit>(window, "Text1")->text();
}

void clickMap(QWidget& window, const QString& name)
{
    clickItem(control<QListWidget>(window, "File1"), name);
}

} // namespace

class TestForm1Options : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void connectBoxEnablesTheServerBox();
    void greyConnectBoxLeavesTheServerBoxAlone();
    void nameFollowsEachKeystroke();
    void modelFollowsPicksButNotTyping();
    void mapFollowsTheClickedFile();
    void advancedGatesFullscreenAndRate();
    void startGameRunsTheShownArguments();
    void startGameThatFailsIsReported();
    void saveWritesTheRecord();
    void saveThatFailsKeepsTheOldFile();
    void quotesNeverShiftAField_data();
    void quotesNeverShiftAField();

private:
    std::unique_ptr<Form1Fixture> fixture_;
    QWidget* window_ = nullptr;
    QString game_;
};

void TestForm1Options::init()
{
    fixture_ = std::make_unique<Form1Fixture>();
    game_ = fixture_->makeGame({"q3dm1.bsp", "q3dm17.bsp"});
    fixture_->writeValidFiles(game_);
    window_ = &fixture_->start();
    QVERIFY(window_->isVisible());
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name "));
}

void TestForm1Options::cleanup()
{
    fixture_.reset();
}

void TestForm1Options::connectBoxEnablesTheServerBox()
{
    auto* connect = control<ui::ValueCheckBox>(*window_, "Check3");
    auto* servers = control<QComboBox>(*window_, "Combo2");
    servers->setEditText(QStringLiteral("my server"));
    QVERIFY(!servers->isEnabled());
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name "));

    QTest::mouseClick(connect, Qt::LeftButton);
    QVERIFY(servers->isEnabled());
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name +connect my server "));

    servers->setEditText(QString());
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name "));
    QVERIFY(!control<QPushButton>(*window_, "Command3")->isEnabled());
    servers->setEditText(QStringLiteral("x"));
    QVERIFY(control<QPushButton>(*window_, "Command3")->isEnabled());

    QTest::mouseClick(connect, Qt::LeftButton);
    QVERIFY(!servers->isEnabled());
    QCOMPARE(servers->currentText(), QStringLiteral("x"));
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name "));
}

void TestForm1Options::greyConnectBoxLeavesTheServerBoxAlone()
{
    auto* connect = control<ui::ValueCheckBox>(*window_, "Check3");
    auto* servers = control<QComboBox>(*window_, "Combo2");
    connect->setValue(1);
    connect->setValue(2);
    QVERIFY(servers->isEnabled());
    connect->setValue(0);
    connect->setValue(2);
    QVERIFY(!servers->isEnabled());
}

void TestForm1Options::nameFollowsEachKeystroke()
{
    auto* name = control<QLineEdit>(*window_, "Text2");
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(arguments(*window_), QStringLiteral("+name  "));
    QTest::keyClick(name, Qt::Key_A);
    QCOMPARE(arguments(*window_), QStringLiteral("+name a "));
    QTest::keyClick(name, Qt::Key_B);
    QCOMPARE(arguments(*window_), QStringLiteral("+name ab "));
}

void TestForm1Options::modelFollowsPicksButNotTyping()
{
    auto* models = control<QComboBox>(*window_, "Combo1");
    auto* text = control<QLineEdit>(*window_, "Text1");
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    const auto enterModelBox = [&] {
        QTest::mouseClick(models->lineEdit(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), models);
    };

    const int sarge = models->findText(QStringLiteral("Sarge"));
    enterModelBox();
    for (const char* model : {"Decay", "Ned", "Sarge"}) {
        press(Qt::Key_Down);
        QCOMPARE(arguments(*window_), QStringLiteral("+name Name +model %1 ").arg(model));
    }

    struct Leaving {
        const char* way;
        std::function<void()> leave;
        bool focusStays;
    };
    const Leaving leavings[]{
        {"Enter", [&] { press(Qt::Key_Return); }, true},
        {"Tab", [&] { press(Qt::Key_Tab); }, false},
        {"click on the name box",
         [&] { QTest::mouseClick(control<QLineEdit>(*window_, "Text2"), Qt::LeftButton); }, false},
    };
    for (const auto& [way, leave, focusStays] : leavings) {
        // Each round picks Sarge again, as the text committed in the last one
        // made Ned the current item.
        enterModelBox();
        press(Qt::Key_F4);
        QAbstractItemView* list = models->view();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(models->model()->index(sarge, 0)).center());
        QCOMPARE(arguments(*window_), QStringLiteral("+name Name +model Sarge "));

        QTest::mouseClick(text, Qt::LeftButton);
        press(Qt::Key_End);
        QTest::keyClicks(text, QStringLiteral("+set timelimit 5 "));
        const QString edited = arguments(*window_);
        QCOMPARE(edited, QStringLiteral("+name Name +model Sarge +set timelimit 5 "));

        enterModelBox();
        press(Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ned"));
        QCOMPARE(models->currentText(), QStringLiteral("Ned"));
        QCOMPARE(arguments(*window_), edited);
        leave();
        QVERIFY2((QApplication::focusWidget() == models) == focusStays, way);
        QVERIFY2(arguments(*window_) == edited, way);
        QVERIFY2(models->currentText() == QStringLiteral("Ned"), way);
        QCOMPARE(models->count(), 4);
    }
    QVERIFY(fixture_->platform.runs.isEmpty());

    QTest::mouseClick(control<ui::ValueCheckBox>(*window_, "Check1"), Qt::LeftButton);
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name +set cheats 1 +model Ned "));
}

void TestForm1Options::mapFollowsTheClickedFile()
{
    clickMap(*window_, QStringLiteral("q3dm17.bsp"));
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name +map q3dm17 "));
    clickMap(*window_, QStringLiteral("q3dm1.bsp"));
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name +map q3dm1 "));
}

void TestForm1Options::advancedGatesFullscreenAndRate()
{
    auto* advanced = control<ui::ValueCheckBox>(*window_, "ADVANCED");
    auto* fullscreen = control<ui::ValueCheckBox>(*window_, "Check4");
    auto* rate22 = control<QRadioButton>(*window_, "Option1");
    auto* rate44 = control<QRadioButton>(*window_, "Option2");
    QCOMPARE(fullscreen->value(), 1);
    QVERIFY(!rate22->isChecked() && !rate44->isChecked());

    control<QLineEdit>(*window_, "Text1")->setText(QStringLiteral("edited"));
    fullscreen->setValue(0);
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name "));
    rate22->click();
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name "));

    QTest::mouseClick(advanced, Qt::LeftButton);
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name +set r_fullscreen 0 +set s_khz 22 "));
    rate44->click();
    QVERIFY(!rate22->isChecked());
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name +set r_fullscreen 0 +set s_khz 44 "));
    QTest::mouseClick(fullscreen, Qt::LeftButton);
    QCOMPARE(arguments(*window_), QStringLiteral("+name Name +set r_fullscreen 1 +set s_khz 44 "));
}

void TestForm1Options::startGameRunsTheShownArguments()
{
    auto* text = control<QLineEdit>(*window_, "Text1");
    text->setText(QStringLiteral("+name Edited +map x "));
    QTest::mouseClick(control<QPushButton>(*window_, "Command1"), Qt::LeftButton);

    QCOMPARE(fixture_->platform.runs.size(), 1);
    const auto& run = fixture_->platform.runs[0];
    QCOMPARE(run.program, game_ + "quake3.exe");
    QCOMPARE(run.arguments, QStringLiteral("+name Edited +map x "));
    QCOMPARE(run.style, WindowStyle::Maximized);
    QCOMPARE(fixture_->platform.log, QStringList({"run"}));
    QCOMPARE(text->text(), QStringLiteral("+name Edited +map x "));

    QTest::mouseClick(control<ui::ValueCheckBox>(*window_, "Check2"), Qt::LeftButton);
    QCOMPARE(text->text(), QStringLiteral("+name Name +set dedicated 1 "));
}

void TestForm1Options::startGameThatFailsIsReported()
{
    fixture_->platform.failRuns = true;
    QTest::mouseClick(control<QPushButton>(*window_, "Command1"), Qt::LeftButton);

    QCOMPARE(fixture_->platform.messages.size(), 1);
    QVERIFY(fixture_->platform.messages[0].text.endsWith(game_ + "quake3.exe +name Name "));
    QCOMPARE(fixture_->platform.messages[0].icon, MessageIcon::Critical);
    QCOMPARE(fixture_->platform.endCount, 0);
    QVERIFY(window_->isVisible());
}

void TestForm1Options::saveWritesTheRecord()
{
    control<QComboBox>(*window_, "Combo1")->setEditText(QStringLiteral("Sarge"));
    control<ui::ValueCheckBox>(*window_, "Check1")->setValue(1);
    control<ui::ValueCheckBox>(*window_, "Check3")->setValue(1);
    auto* servers = control<QComboBox>(*window_, "Combo2");
    servers->setCurrentIndex(servers->findText(QStringLiteral("0.0.0.0        ")));
    QCOMPARE(servers->currentText(), QStringLiteral("0.0.0.0        "));

    QTest::mouseClick(control<QPushButton>(*window_, "Command2"), Qt::LeftButton);
    const QByteArray expected =
        '"' + game_.toLatin1() + R"(","Name","Sarge","0.0.0.0        ","",1,0,1)" + "\r\n";
    QCOMPARE(fixture_->read("vortline.cfg"), expected);
    QVERIFY(fixture_->platform.messages.isEmpty());

    clickMap(*window_, QStringLiteral("q3dm17.bsp"));
    control<QLineEdit>(*window_, "Text2")->setText(QStringLiteral("Ünïcødé ☃"));
    QTest::mouseClick(control<QPushButton>(*window_, "Command2"), Qt::LeftButton);
    QCOMPARE(fixture_->read("vortline.cfg"),
             '"' + game_.toUtf8() + "\",\"" + QStringLiteral("Ünïcødé ☃").toUtf8() +
                 "\",\"Sarge\",\"0.0.0.0        \",\"q3dm17.bsp\",1,0,1\r\n");
}

void TestForm1Options::saveThatFailsKeepsTheOldFile()
{
    const QByteArray before = fixture_->read("vortline.cfg");
    fixture_->platform.failWritesTo("vortline.cfg");
    control<QLineEdit>(*window_, "Text2")->setText(QStringLiteral("Changed"));

    QTest::mouseClick(control<QPushButton>(*window_, "Command2"), Qt::LeftButton);

    QCOMPARE(fixture_->read("vortline.cfg"), before);
    QCOMPARE(fixture_->platform.messages.size(), 1);
    QVERIFY(fixture_->platform.messages[0].text.startsWith(
        "The settings could not be saved to vortline.cfg."));
    QCOMPARE(fixture_->platform.endCount, 0);
}

void TestForm1Options::quotesNeverShiftAField_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");

    for (const char* box : {"Text2", "Combo1", "Combo2"}) {
        for (const char* way : {"typed", "pasted", "set"}) {
            QTest::addRow("%s, %s, closing", box, way) << box << way << R"(Smith", John)"
                                                       << "Smith, John";
            QTest::addRow("%s, %s, opening", box, way) << box << way << R"(The "Boss)"
                                                       << "The Boss";
        }
        // As an older version, or an editor, left it in vortline.cfg.
        QTest::addRow("%s, loaded", box) << box << "loaded"
                                         << R"(Mr "X")"
                                         << "Mr X";
    }
}

void TestForm1Options::quotesNeverShiftAField()
{
    QFETCH(QString, box);
    QFETCH(QString, way);
    QFETCH(QString, text);
    QFETCH(QString, kept);
    if (way == "loaded") {
        QStringList fields{"Name", "Select Skin", " ", " "};
        fields[QStringList({"Text2", "Combo1", "Combo2"}).indexOf(box)] = text;
        fixture_->write("vortline.cfg",
                        record(game_, qPrintable('"' + fields.join("\",\"") + "\",0,0,0")));
        fixture_->platform = platform::FakePlatform();
        window_ = &fixture_->start();
    }
    control<ui::ValueCheckBox>(*window_, "Check3")->setValue(1);
    auto* edit = box == "Text2" ? control<QLineEdit>(*window_, "Text2")
                                : control<QComboBox>(*window_, qPrintable(box))->lineEdit();
    if (way != "loaded")
        edit->clear();
    if (way == "typed") {
        QTest::keyClicks(edit, text);
    } else if (way == "pasted") {
        QApplication::clipboard()->setText(text);
        edit->paste();
    } else if (way == "set") {
        edit->setText(text);
    }
    QCOMPARE(edit->text().trimmed(), kept);
    QVERIFY(!arguments(*window_).contains('"'));
    QVERIFY2(!edit->toolTip().isEmpty(), "the dropped quote is not explained");

    QTest::mouseClick(control<QPushButton>(*window_, "Command2"), Qt::LeftButton);
    fixture_->platform = platform::FakePlatform();
    QWidget& again = fixture_->start();
    window_ = &again;
    QVERIFY(fixture_->platform.log.isEmpty());
    QCOMPARE(control<ui::ValueCheckBox>(again, "Check2")->value(), 0);
    const QString read = box == "Text2" ? control<QLineEdit>(again, "Text2")->text()
                                        : control<QComboBox>(again, qPrintable(box))->currentText();
    QCOMPARE(read, box == "Combo2" ? padded(kept) : kept);
}

QTEST_MAIN(TestForm1Options)
#include "tst_Form1Options.moc"
