#include "ui/CaseInsensitiveOrder.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

// The fast order must be QString's case-insensitive order exactly, or the
// server box and the map list would sort differently from before.
class TestCaseInsensitiveOrder : public QObject {
    Q_OBJECT

private slots:
    void comparesAsQStringDoes();
    void sortsAsQStringDoes_data();
    void sortsAsQStringDoes();
};

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// Texts of up to a dozen characters, mostly ASCII with the neighbours of the
// capitals ('@', '[', '`', '{') and a NUL among them, now and then a
// character beyond ASCII, a surrogate pair among those: so that equal and
// prefix texts, and differences early, late and after a run of ASCII, all
// occur.
QString randomText(QRandomGenerator& random)
{
    static const QString ascii = QStringLiteral("aAbBzZ@[`{_.1 ") + QChar(0);
    static const QString beyond = QStringLiteral("\u00e4\u00c4\u00df\u03a3\u03c3") +
                                  QString::fromUcs4(U"\U00010400\U00010428");
    QString text;
    const int length = random.bounded(13);
    for (int i = 0; i < length; ++i) {
        const QString& from = random.bounded(12) == 0 ? beyond : ascii;
        text += from[random.bounded(int(from.size()))];
    }
    return text;
}

} // namespace

void TestCaseInsensitiveOrder::comparesAsQStringDoes()
{
    QRandomGenerator random(17);
    for (int round = 0; round < 20'000; ++round) {
        const QString a = randomText(random);
        QString b = random.bounded(2) == 0 ? a.toUpper() : randomText(random);
        // The same text but for one character, anywhere.
        const QString other = randomText(random);
        if (random.bounded(2) == 0 && !b.isEmpty() && !other.isEmpty())
            b[random.bounded(int(b.size()))] = other[0];
        QVERIFY2(sign(ui::compareIgnoringCase(a, b)) == sign(a.compare(b, Qt::CaseInsensitive)),
                 qPrintable(a + QLatin1String(" | ") + b));
    }
}

void TestCaseInsensitiveOrder::sortsAsQStringDoes_data()
{
    // Sorting looks at the first 16 characters first: texts shorter and
    // longer than that, the longer ones alike up to and beyond it.
    QTest::addColumn<QString>("start");
    QTest::newRow("short") << QString();
    QTest::newRow("alike") << QStringLiteral("192.168.00.1");
    QTest::newRow("long") << QStringLiteral("192.168.ServEr.");
    QTest::newRow("long, beyond ASCII") << QStringLiteral("192.168.\u00c4.");
}

void TestCaseInsensitiveOrder::sortsAsQStringDoes()
{
    QFETCH(QString, start);
    QRandomGenerator random(29);
    QStringList texts;
    for (int i = 0; i < 3'000; ++i) {
        QString text = randomText(random);
        if (random.bounded(4) != 0)
            text.prepend(random.bounded(2) == 0 ? start : start.toLower());
        // Alike but for one character, anywhere.
        const QString other = randomText(random);
        if (random.bounded(2) == 0 && !text.isEmpty() && !other.isEmpty())
            text[random.bounded(int(text.size()))] = other[0];
        texts.append(text);
    }

    QStringList kept = texts;
    ui::sortIgnoringCase(kept, ui::CaseTies::KeepGivenOrder);
    QStringList expected = texts;
    std::stable_sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    QCOMPARE(kept, expected);

    QStringList byCase = texts;
    ui::sortIgnoringCase(byCase, ui::CaseTies::CaseSensitive);
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    QCOMPARE(byCase, expected);
}

QTEST_APPLESS_MAIN(TestCaseInsensitiveOrder)
#include "tst_CaseInsensitiveOrder.moc"
