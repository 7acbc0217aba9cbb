#include "ProgramIdentity.h"
#include "app/ProgramArguments.h"

#include <QTest>

class TestProgramArguments : public QObject {
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
};

void TestProgramArguments::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("opensWindow");
    QTest::addColumn<int>("exitStatus");
    QTest::addColumn<QString>("output");     // start of standard output
    QTest::addColumn<QString>("errorStart"); // start of standard error

    QTest::newRow("none") << QStringList() << true << 0 << ""
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << false << 0
                             << "vortline 1.0.17\n" VORTLINE_COPYRIGHT "\n"
                             << "";
    QTest::newRow("help") << QStringList{"--help"} << false << 0 << "Usage: vortline"
                          << "";
    QTest::newRow("unknown") << QStringList{"-x"} << false << 2 << ""
                             << "vortline: unknown argument \"-x\"\nUsage: vortline";
    QTest::newRow("Qt's own options are unknown too")
        << QStringList{"-platform", "offscreen"} << false << 2 << ""
        << "vortline: unknown argument \"-platform\"\n";
    QTest::newRow("an option with more") << QStringList{"--version", "now"} << false << 2 << ""
                                         << "vortline: unknown argument \"now\"\n";
}

void TestProgramArguments::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, opensWindow);
    QFETCH(int, exitStatus);
    QFETCH(QString, output);
    QFETCH(QString, errorStart);
    const app::ArgumentsAnswer answer = app::answerArguments(arguments);
    QCOMPARE(answer.opensWindow, opensWindow);
    QCOMPARE(answer.exitStatus, exitStatus);
    QCOMPARE(answer.standardOutput.left(output.size()), output);
    QCOMPARE(answer.standardOutput.isEmpty(), output.isEmpty());
    QCOMPARE(answer.standardError.left(errorStart.size()), errorStart);
    QCOMPARE(answer.standardError.isEmpty(), errorStart.isEmpty());
}

QTEST_MAIN(TestProgramArguments)
#include "tst_ProgramArguments.moc"
