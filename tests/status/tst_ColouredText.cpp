#include "status/ColouredText.h"

#include <QTest>

class TestColouredText : public QObject {
    Q_OBJECT

private slots:
    void drawsRuns_data();
    void drawsRuns();
};

void TestColouredText::drawsRuns_data()
{
    QTest::addColumn<QByteArray>("name");
    // The runs as "colour:text", joined by "|".
    QTest::addColumn<QString>("runs");

    const char* const rows[][2] = {
        {"Big^1Red^7White", "-1:Big|1:Red|7:White"},
        {"^1^2", ""},
        {"^^1x", "-1:^|1:x"},
        {"ab^", "-1:ab^"},
        {"^aA^8B^9C^zD^ E", "1:A|0:B|1:C|2:D|0:E"},
        {"^1a^2^1b^1c", "1:abc"},
        {"^3Jos\xC3\xA9", "3:José"},
        {"^3Jos\xE9", "3:José"},
        // A code takes its whole character, and picks one colour in either encoding.
        {"^\xC3\xA9x", "1:x"},
        {"^\xE9x", "1:x"},
        {"^\xF0\x9F\x98\x80x^1\xF0\x9F\x98\x80", "0:x|1:\xF0\x9F\x98\x80"},
    };
    for (const auto& [name, runs] : rows)
        QTest::addRow("[%s]", name) << QByteArray(name) << QString::fromUtf8(runs);
}

void TestColouredText::drawsRuns()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, runs);
    QStringList drawn;
    QString plain;
    for (const status::ColouredRun& run : status::colouredRuns(name)) {
        drawn << QString::number(run.colour) + ':' + run.text;
        plain += run.text;
    }
    QCOMPARE(drawn.join('|'), runs);
    QCOMPARE(status::plainText(name), plain);
}

QTEST_APPLESS_MAIN(TestColouredText)
#include "tst_ColouredText.moc"
