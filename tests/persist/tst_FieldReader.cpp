#include "persist/FieldReader.h"

#include <QElapsedTimer>
#include <QTest>

using persist::FieldReader;
using persist::readCheckValue;

class TestFieldReader : public QObject {
    Q_OBJECT

private slots:
    void readsFields_data();
    void readsFields();
    void readsUnclosedQuotesInLinearTime();
    void readsCheckValues_data();
    void readsCheckValues();
};

void TestFieldReader::readsFields_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("fields");

    QTest::newRow("nothing") << QByteArray() << QByteArrayList{};
    QTest::newRow("quoted and bare")
        << QByteArray("\"a b\",1,\"\"\r\n") << QByteArrayList{"a b", "1", ""};
    QTest::newRow("comma inside quotes") << QByteArray("\"a,b\",c") << QByteArrayList{"a,b", "c"};
    QTest::newRow("line ends end fields")
        << QByteArray("a\r\nb\nc\rd") << QByteArrayList{"a", "b", "c", "d"};
    QTest::newRow("blank line is an empty field")
        << QByteArray("a\r\n\r\nb\r\n") << QByteArrayList{"a", "", "b"};
    QTest::newRow("only a line end") << QByteArray("\r\n") << QByteArrayList{""};
    QTest::newRow("blanks around a bare field")
        << QByteArray("  a b  ,\t\"q\"") << QByteArrayList{"a b", "q"};
    QTest::newRow("quote inside a quoted field")
        << QByteArray("\"Mr \"X\"\",\"next\"\r\n") << QByteArrayList{"Mr \"X\"", "next"};
    QTest::newRow("quote before the end")
        << QByteArray("\"say \"hi\"") << QByteArrayList{"say \"hi"};
    QTest::newRow("text after a closing quote is dropped")
        << QByteArray("\"ab\"cd,e") << QByteArrayList{"ab", "e"};
    QTest::newRow("unclosed quote runs to the line end")
        << QByteArray("\"ab,c\r\nd") << QByteArrayList{"ab,c", "d"};
    QTest::newRow("quoted field across a line end")
        << QByteArray("\"a\r\nb\",c") << QByteArrayList{"a\r\nb", "c"};
    QTest::newRow("trailing comma leaves nothing to read")
        << QByteArray("a,") << QByteArrayList{"a"};
    QTest::newRow("backslashes are plain text")
        << QByteArray("\"C:\\Games\\\",x") << QByteArrayList{"C:\\Games\\", "x"};
    QTest::newRow("blanks after a closing quote, before a comma")
        << QByteArray("\"NOTSET\" ,\"Name\"\t \t,\"\",1")
        << QByteArrayList{"NOTSET", "Name", "", "1"};
    QTest::newRow("blanks after a closing quote, before a line end")
        << QByteArray("\"a\"  \r\n\"b\"\t\n\"c\",d") << QByteArrayList{"a", "b", "c", "d"};
    QTest::newRow("blanks after a closing quote, at the end")
        << QByteArray("\"a\",\"b\" \t ") << QByteArrayList{"a", "b"};
    QTest::newRow("blanks inside the quotes are kept")
        << QByteArray("\" 0.0.0.0  \"  ,\"x\"") << QByteArrayList{" 0.0.0.0  ", "x"};
    QTest::newRow("quote inside, blanks after the closing one")
        << QByteArray("\"Mr \"X\"\"  ,\"next\" \r\n") << QByteArrayList{"Mr \"X\"", "next"};
    QTest::newRow("quote followed by blanks and text does not close")
        << QByteArray("\"Mr \" X\",y") << QByteArrayList{"Mr \" X", "y"};
    QTest::newRow("quote inside before blanks at the end")
        << QByteArray("\"say \"hi\"  ") << QByteArrayList{"say \"hi"};
    QTest::newRow("blanks then text after a closing quote are dropped")
        << QByteArray("\"ab\" cd,e") << QByteArrayList{"ab", "e"};
}

void TestFieldReader::readsFields()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, fields);
    FieldReader reader(bytes);
    QByteArrayList read;
    const char* const begin = bytes.constData();
    while (const auto field = reader.nextView()) {
        // Views into the caller's bytes, never into a copy of them.
        QVERIFY(field->isEmpty() ||
                (field->data() >= begin && field->data() + field->size() <= begin + bytes.size()));
        read.append(field->toByteArray());
    }
    QCOMPARE(read, fields);
    QVERIFY(reader.atEnd());
}

void TestFieldReader::readsUnclosedQuotesInLinearTime()
{
    // Each line opens a quote that no comma or line end follows. Looking for a
    // closing one again at every field took 40 s for these 120 KB.
    constexpr int kLines = 20000;
    const QByteArray bytes = QByteArray("\"x\"y\r\n").repeated(kLines);
    QElapsedTimer timer;
    timer.start();
    FieldReader reader(bytes);
    QByteArrayList fields;
    while (const auto field = reader.next())
        fields.append(*field);
    QCOMPARE(fields, QByteArrayList(kLines, "x"));
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed()) + " ms"));
}

void TestFieldReader::readsCheckValues_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("value"); // -1: refused

    QTest::newRow("0") << QByteArray("0") << 0;
    QTest::newRow("1") << QByteArray("1") << 1;
    QTest::newRow("2") << QByteArray("2") << 2;
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("blanks") << QByteArray(" 1 ") << 1;
    QTest::newRow("half to even down") << QByteArray("0.5") << 0;
    QTest::newRow("half to even up") << QByteArray("1.5") << 2;
    QTest::newRow("2.5 to even") << QByteArray("2.5") << 2;
    QTest::newRow("small negative") << QByteArray("-0.4") << 0;
    QTest::newRow("negative half") << QByteArray("-0.5") << 0;
    QTest::newRow("exponent") << QByteArray("1e0") << 1;
    QTest::newRow("leading dot") << QByteArray(".9") << 1;
    QTest::newRow("3") << QByteArray("3") << -1;
    QTest::newRow("rounds to 3") << QByteArray("2.6") << -1;
    QTest::newRow("-1") << QByteArray("-1") << -1;
    QTest::newRow("word") << QByteArray("yes") << -1;
    QTest::newRow("number and word") << QByteArray("1x") << -1;
    QTest::newRow("hex") << QByteArray("0x1") << -1;
    QTest::newRow("infinity") << QByteArray("inf") << -1;
    QTest::newRow("too large") << QByteArray("1e999") << -1;
    // The shapes of a number, each part present or missing.
    QTest::newRow("trailing dot") << QByteArray("2.") << 2;
    QTest::newRow("signed leading dot") << QByteArray("+.5") << 0;
    QTest::newRow("dot and exponent") << QByteArray("1.E+0") << 1;
    QTest::newRow("dot alone") << QByteArray(".") << -1;
    QTest::newRow("sign alone") << QByteArray("-") << -1;
    QTest::newRow("exponent alone") << QByteArray("e1") << -1;
    QTest::newRow("no exponent digits") << QByteArray("1e+") << -1;
    QTest::newRow("two dots") << QByteArray("1..") << -1;
    QTest::newRow("two signs") << QByteArray("+-1") << -1;
}

void TestFieldReader::readsCheckValues()
{
    QFETCH(QByteArray, field);
    QFETCH(int, value);
    const auto read = readCheckValue(field);
    QCOMPARE(read.value_or(-1), value);
}

QTEST_APPLESS_MAIN(TestFieldReader)
#include "tst_FieldReader.moc"
