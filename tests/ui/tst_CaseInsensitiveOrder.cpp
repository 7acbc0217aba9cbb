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
    void sortsAsQStringDoes();
};

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// Short texts from an alphabet where letters meet their other case,
// punctuation between the cases, and characters beyond ASCII, a surrogate
// pair among them, so that equal, prefix and mixed cases all occur.
QString randomText(QRandomGenerator& random)
{
    static const QString alphabet = QStringLiteral("aAbB_[.1 zZ\u00e4\u00c4\u00df\u03a3\u03c3") +
                                    QString::fromUcs4(U"\U00010400\U00010428");
    QString text;
    const int length = random.bounded(5);
    for (int i = 0; i < length; ++i)
        text += alphabet[random.bounded(int(alphabet.size()))];
    return text;
}

} // namespace

void TestCaseInsensitiveOrder::comparesAsQStringDoes()
{
    QRandomGenerator random(17);
    for (int round = 0; round < 20'000; ++round) {
        const QString a = randomText(random);
        const QString b = random.bounded(4) == 0 ? a.toUpper() : randomText(random);
        QVERIFY2(sign(ui::compareIgnoringCase(a, b)) == sign(a.compare(b, Qt::CaseInsensitive)),
                 qPrintable(a + QLatin1String(" | ") + b));
    }
}

void TestCaseInsensitiveOrder::sortsAsQStringDoes()
{
    QRandomGenerator random(29);
    QStringList texts;
    for (int i = 0; i < 3'000; ++i)
        texts.append(randomText(random));

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
