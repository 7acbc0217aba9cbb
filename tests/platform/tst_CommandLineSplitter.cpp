#include "platform/CommandLineSplitter.h"

#include <QTest>

class TestCommandLineSplitter : public QObject {
    Q_OBJECT

private slots:
    void splitsArguments_data();
    void splitsArguments();
    void splitsCommandLines_data();
    void splitsCommandLines();
};

void TestCommandLineSplitter::splitsArguments_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QStringList>("words");

    QTest::newRow("nothing") << "" << QStringList{};
    QTest::newRow("blanks only") << " \t " << QStringList{};
    QTest::newRow("game arguments")
        << "+name Name +connect 0.0.0.0         +map q3dm17 "
        << QStringList{"+name", "Name", "+connect", "0.0.0.0", "+map", "q3dm17"};
    QTest::newRow("empty name") << "+name  " << QStringList{"+name"};
    QTest::newRow("quotes group") << "\"a b c\" d e" << QStringList{"a b c", "d", "e"};
    QTest::newRow("quotes inside a word") << "a\"b c\"d" << QStringList{"ab cd"};
    QTest::newRow("empty quotes") << "\"\" x" << QStringList{"", "x"};
    QTest::newRow("escaped quote") << "\"ab\\\"c\" \"\\\\\" d" << QStringList{"ab\"c", "\\", "d"};
    QTest::newRow("backslashes without a quote")
        << "a\\\\\\b d\"e f\"g h" << QStringList{"a\\\\\\b", "de fg", "h"};
    QTest::newRow("odd backslashes before a quote")
        << "a\\\\\\\"b c d" << QStringList{"a\\\"b", "c", "d"};
    QTest::newRow("even backslashes before a quote")
        << "a\\\\\\\\\"b c\" d e" << QStringList{"a\\\\b c", "d", "e"};
    QTest::newRow("doubled quote inside quotes") << "a\"b\"\" c d" << QStringList{"ab\" c d"};
    QTest::newRow("shell text stays text")
        << "+name $(rm -rf ~);`id`|x" << QStringList{"+name", "$(rm", "-rf", "~);`id`|x"};
}

void TestCommandLineSplitter::splitsArguments()
{
    QFETCH(QString, arguments);
    QFETCH(QStringList, words);
    QCOMPARE(platform::splitArguments(arguments), words);
}

void TestCommandLineSplitter::splitsCommandLines_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QStringList>("words");

    QTest::newRow("nothing") << "  " << QStringList{};
    QTest::newRow("mail") << "explorer.exe mailto:someone@example.org"
                          << QStringList{"explorer.exe", "mailto:someone@example.org"};
    QTest::newRow("program backslashes are literal")
        << "C:\\Q3\\quake3.exe +name \"A B\"" << QStringList{"C:\\Q3\\quake3.exe", "+name", "A B"};
    QTest::newRow("quoted program with blanks")
        << "\"C:\\Program Files\\tool.exe\" x" << QStringList{"C:\\Program Files\\tool.exe", "x"};
    QTest::newRow("program ending in a backslash before a quote")
        << "\"C:\\dir\\\" x" << QStringList{"C:\\dir\\", "x"};
}

void TestCommandLineSplitter::splitsCommandLines()
{
    QFETCH(QString, commandLine);
    QFETCH(QStringList, words);
    QCOMPARE(platform::splitCommandLine(commandLine), words);
}

QTEST_APPLESS_MAIN(TestCommandLineSplitter)
#include "tst_CommandLineSplitter.moc"
