#include "Form1Fixture.h"

#include "ui/ValueCheckBox.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestForm1Servers : public QObject {
    Q_OBJECT

private slots:
    void listEntriesArePaddedAndSorted_data();
    void listEntriesArePaddedAndSorted();
    void addAppendsAndReloads_data();
    void addAppendsAndReloads();
    void addKeepsWhatIsOnScreen();
    void addCreatesARemovedList();
    void addThatCannotWriteKeepsTheText();

private:
    struct Started {
        std::unique_ptr<Form1Fixture> fixture;
        QWidget* window;
    };
    static Started startWith(const QByteArray& servers, const char* rest = nullptr);
    static void add(QWidget& window, const QString& server);
};

TestForm1Servers::Started TestForm1Servers::startWith(const QByteArray& servers, const char* rest)
{
    auto fixture = std::make_unique<Form1Fixture>();
    const QString game = fixture->makeGame();
    fixture->write("vortline.cfg", rest ? record(game, rest) : record(game));
    fixture->write("SERVERS.VTL", servers);
    QWidget* window = &fixture->start();
    return {std::move(fixture), window};
}

void TestForm1Servers::add(QWidget& window, const QString& server)
{
    control<ui::ValueCheckBox>(window, "Check3")->setValue(1);
    control<QComboBox>(window, "Combo2")->setEditText(server);
    QTest::mouseClick(control<QPushButton>(window, "Command3"), Qt::LeftButton);
}

void TestForm1Servers::listEntriesArePaddedAndSorted_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("three lines") << QByteArray("b.example\r\nA.example\r\nc\r\n")
                                 << QStringList{padded("A.example"), padded("b.example"),
                                                padded("c")};
    QTest::newRow("blank line") << QByteArray("x\r\n\r\ny\r\n")
                                << QStringList{padded(""), padded("x"), padded("y")};
    QTest::newRow("comma splits") << QByteArray("a,b\r\n") << QStringList{padded("a"), padded("b")};
    QTest::newRow("long text kept whole") << QByteArray("a.very.long.server.name:27960\r\n")
                                          << QStringList{"a.very.long.server.name:27960"};
    QTest::newRow("duplicates side by side")
        << QByteArray("z\r\nq\r\nz\r\n") << QStringList{padded("q"), padded("z"), padded("z")};
}

void TestForm1Servers::listEntriesArePaddedAndSorted()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, entries);
    auto started = startWith(file, R"("Name","Select Skin","not listed"," ",0,0,0)");

    QVERIFY(started.fixture->platform.log.isEmpty());
    auto* servers = control<QComboBox>(*started.window, "Combo2");
    QCOMPARE(listItems(servers), entries);
    QCOMPARE(servers->currentText(), padded("not listed"));
}

void TestForm1Servers::addAppendsAndReloads_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QByteArray>("line"); // what the list gains
    QTest::addColumn<QStringList>("entries");

    const QByteArray ended = "0.0.0.0\r\n";
    const QStringList two{padded("0.0.0.0"), padded("1.2.3.4")};
    QTest::newRow("new server") << ended << "1.2.3.4" << QByteArray("1.2.3.4\r\n") << two;
    QTest::newRow("a duplicate") << ended << "0.0.0.0" << QByteArray("0.0.0.0\r\n")
                                 << QStringList{padded("0.0.0.0"), padded("0.0.0.0")};
    QTest::newRow("a list entry keeps its blanks")
        << ended << padded("0.0.0.0") << QByteArray("0.0.0.0        \r\n")
        << QStringList{padded("0.0.0.0"), padded("0.0.0.0")};
    QTest::newRow("a long text") << ended << "quake.example.org:27960"
                                 << QByteArray("quake.example.org:27960\r\n")
                                 << QStringList{padded("0.0.0.0"), "quake.example.org:27960"};
    QTest::newRow("a comma") << ended << "a,b" << QByteArray("a,b\r\n")
                             << QStringList{padded("0.0.0.0"), padded("a"), padded("b")};
    QTest::newRow("no shell can see it")
        << ended << "$(touch pwned);x" << QByteArray("$(touch pwned);x\r\n")
        << QStringList{"$(touch pwned);x", padded("0.0.0.0")};
    QTest::newRow("after a last line without its end")
        << QByteArray("0.0.0.0") << "1.2.3.4" << QByteArray("\r\n1.2.3.4\r\n") << two;
    QTest::newRow("after a last line ended by LF")
        << QByteArray("0.0.0.0\n") << "1.2.3.4" << QByteArray("1.2.3.4\r\n") << two;
    QTest::newRow("after a last line ended by CR")
        << QByteArray("0.0.0.0\r") << "1.2.3.4" << QByteArray("1.2.3.4\r\n") << two;
}

void TestForm1Servers::addAppendsAndReloads()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, server);
    QFETCH(QByteArray, line);
    QFETCH(QStringList, entries);
    auto started = startWith(list);

    add(*started.window, server);

    QCOMPARE(started.fixture->read("SERVERS.VTL"), list + line);
    auto* servers = control<QComboBox>(*started.window, "Combo2");
    QCOMPARE(listItems(servers), entries);
    QCOMPARE(servers->currentText(), server);
    QVERIFY(!started.fixture->exists("pwned"));
}

void TestForm1Servers::addKeepsWhatIsOnScreen()
{
    auto started = startWith("0.0.0.0\r\n", R"("Saved","Sarge","saved server"," ",1,0,0)");
    QWidget& window = *started.window;
    control<QLineEdit>(window, "Text2")->setText(QStringLiteral("Unsaved"));
    control<ui::ValueCheckBox>(window, "Check2")->setValue(1);
    clickItem(control<QListWidget>(window, "File1"), QStringLiteral("q3dm17.bsp"));
    auto* line = control<QLineEdit>(window, "Text1");
    const QString edited = line->text() + QStringLiteral("+set fs_game mod ");
    add(window, QStringLiteral("new.example:27960"));
    line->setText(edited);
    // The settings file is not read again: a broken one cannot end the program.
    started.fixture->write("vortline.cfg", "broken");

    add(window, QStringLiteral("new.example:27960"));

    QCOMPARE(started.fixture->platform.log,
             QStringList({"append SERVERS.VTL", "append SERVERS.VTL"}));
    QCOMPARE(control<QLineEdit>(window, "Text2")->text(), QStringLiteral("Unsaved"));
    QCOMPARE(control<ui::ValueCheckBox>(window, "Check2")->value(), 1);
    QCOMPARE(control<ui::ValueCheckBox>(window, "Check3")->value(), 1);
    QVERIFY(control<QComboBox>(window, "Combo2")->isEnabled());
    QCOMPARE(control<QComboBox>(window, "Combo2")->currentText(),
             QStringLiteral("new.example:27960"));
    QCOMPARE(control<QListWidget>(window, "File1")->currentItem()->text(),
             QStringLiteral("q3dm17.bsp"));
    QCOMPARE(line->text(), edited);
    QCOMPARE(listItems(control<QComboBox>(window, "Combo2")),
             QStringList({padded("0.0.0.0"), "new.example:27960", "new.example:27960"}));
}

void TestForm1Servers::addCreatesARemovedList()
{
    auto started = startWith("0.0.0.0\r\n");
    QVERIFY(QFile::remove("SERVERS.VTL"));

    add(*started.window, QStringLiteral("fresh"));

    QCOMPARE(started.fixture->fileNames(), QStringList({"SERVERS.VTL", "vortline.cfg"}));
    QCOMPARE(started.fixture->read("SERVERS.VTL"), QByteArray("fresh\r\n"));
    QCOMPARE(listItems(control<QComboBox>(*started.window, "Combo2")),
             QStringList{padded("fresh")});
}

void TestForm1Servers::addThatCannotWriteKeepsTheText()
{
    auto started = startWith("0.0.0.0\r\n");
    started.fixture->platform.failWritesTo("servers.vtl");

    add(*started.window, QStringLiteral("kept"));

    auto& platform = started.fixture->platform;
    QCOMPARE(platform.log, QStringList({"append SERVERS.VTL", "message"}));
    QCOMPARE(platform.messages[0].text,
             QStringLiteral("The server could not be added to SERVERS.VTL."));
    QCOMPARE(platform.endCount, 0);
    QCOMPARE(control<QComboBox>(*started.window, "Combo2")->currentText(), QStringLiteral("kept"));
    QCOMPARE(started.fixture->read("SERVERS.VTL"), QByteArray("0.0.0.0\r\n"));
}

QTEST_MAIN(TestForm1Servers)
#include "tst_Form1Servers.moc"
