#include "persist/BackedUpReplace.h"
#include "support/FakePlatform.h"
#include "support/TemporaryWorkingDirectory.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestBackedUpReplace : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void keepsTheOldFileAsBackup();
    void writesWithoutBackupWhenMissing();
    void leavesTheFileWhenNoBackupCanBeKept();
    void reportsAFailedWrite();

private:
    static void write(const QString& name, const QByteArray& bytes);
    static QByteArray read(const QString& name);

    std::unique_ptr<TemporaryWorkingDirectory> directory_;
    platform::FakePlatform platform_;
};

void TestBackedUpReplace::init()
{
    directory_ = std::make_unique<TemporaryWorkingDirectory>();
    platform_ = platform::FakePlatform();
}

void TestBackedUpReplace::cleanup()
{
    directory_.reset();
}

void TestBackedUpReplace::write(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray TestBackedUpReplace::read(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void TestBackedUpReplace::keepsTheOldFileAsBackup()
{
    write("LIST.TXT", "old");
    write("list.bak", "older");
    QVERIFY(persist::replaceKeepingBackup(platform_, "list.txt", "list.bak", "new"));
    QCOMPARE(read("LIST.TXT"), QByteArray("new"));
    QCOMPARE(read("list.bak"), QByteArray("old"));
}

void TestBackedUpReplace::writesWithoutBackupWhenMissing()
{
    QVERIFY(persist::replaceKeepingBackup(platform_, "list.txt", "list.bak", "new"));
    QCOMPARE(read("list.txt"), QByteArray("new"));
    QVERIFY(!QFile::exists("list.bak"));
}

void TestBackedUpReplace::leavesTheFileWhenNoBackupCanBeKept()
{
    write("list.txt", "precious");
    platform_.failWritesTo("list.bak");
    QVERIFY(!persist::replaceKeepingBackup(platform_, "list.txt", "list.bak", "new"));
    QCOMPARE(read("list.txt"), QByteArray("precious"));
}

void TestBackedUpReplace::reportsAFailedWrite()
{
    write("list.txt", "old");
    platform_.failWritesTo("list.txt");
    QVERIFY(!persist::replaceKeepingBackup(platform_, "list.txt", "list.bak", "new"));
    QCOMPARE(read("list.txt"), QByteArray("old"));
    QCOMPARE(read("list.bak"), QByteArray("old"));
}

QTEST_APPLESS_MAIN(TestBackedUpReplace)
#include "tst_BackedUpReplace.moc"
