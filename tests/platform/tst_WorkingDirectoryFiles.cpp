#include "platform/WorkingDirectoryFiles.h"
#include "support/TemporaryWorkingDirectory.h"

#include <QDir>
#include <QFile>
#include <QTest>

using platform::WorkingDirectoryFiles;

class TestWorkingDirectoryFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void findsAnExistingFileInAnySpelling();
    void createsNewFilesInTheAskedSpelling();
    void everySpellingReachesOneFileWhenSeveralExist();
    void reportsWhatItCannotDo();

private:
    std::unique_ptr<TemporaryWorkingDirectory> directory_;
    WorkingDirectoryFiles files_;
};

void TestWorkingDirectoryFiles::init()
{
    directory_ = std::make_unique<TemporaryWorkingDirectory>();
}

void TestWorkingDirectoryFiles::cleanup()
{
    directory_.reset();
}

void TestWorkingDirectoryFiles::findsAnExistingFileInAnySpelling()
{
    QVERIFY(files_.write("SERVERS.VTL", "a\r\n"));
    QVERIFY(files_.exists("servers.vtl"));
    QCOMPARE(files_.read("Servers.Vtl").value_or("<none>"), QByteArray("a\r\n"));
    QVERIFY(files_.append("servers.vtl", "b\r\n"));
    QVERIFY(files_.write("servers.VTL", files_.read("SERVERS.vtl").value() + "c\r\n"));
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{"SERVERS.VTL"});
    QCOMPARE(files_.read("SERVERS.VTL").value_or("<none>"), QByteArray("a\r\nb\r\nc\r\n"));
}

void TestWorkingDirectoryFiles::createsNewFilesInTheAskedSpelling()
{
    QVERIFY(files_.append("SERVERS.VTL", "x\r\n"));
    QVERIFY(files_.write("vortline.cfg", "y"));
    QCOMPARE(QDir().entryList(QDir::Files, QDir::Name),
             QStringList({"SERVERS.VTL", "vortline.cfg"}));
}

void TestWorkingDirectoryFiles::everySpellingReachesOneFileWhenSeveralExist()
{
    for (const char* name : {"servers.vtl", "SERVERS.VTL"}) {
        QFile file{QLatin1String(name)};
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(name);
    }
    QCOMPARE(WorkingDirectoryFiles::resolve("servers.vtl"),
             WorkingDirectoryFiles::resolve("SERVERS.VTL"));
}

void TestWorkingDirectoryFiles::reportsWhatItCannotDo()
{
    QVERIFY(!files_.read("missing.cfg"));
    QVERIFY(!files_.exists("missing.cfg"));
    QVERIFY(!files_.write("no/such/folder.cfg", "x"));
    QVERIFY(!files_.append("no/such/folder.cfg", "x"));
    QVERIFY(QDir().mkdir("taken.cfg"));
    QVERIFY(!files_.exists("taken.cfg"));
    QVERIFY(!files_.read("taken.cfg"));
    QVERIFY(!files_.write("taken.cfg", "x"));
}

QTEST_APPLESS_MAIN(TestWorkingDirectoryFiles)
#include "tst_WorkingDirectoryFiles.moc"
