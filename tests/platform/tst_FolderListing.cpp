#include "platform/FolderListing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The listing stands in for QDir's, so it must name the same files.
class TestFolderListing : public QObject {
    Q_OBJECT

private slots:
    void namesTheFilesQDirNames();
    void unreadableFolderIsNothing();
};

void TestFolderListing::namesTheFilesQDirNames()
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    for (const char* name : {"q3dm1.bsp", "MAP.BSP", ".hidden.bsp", "with space.map"})
        QVERIFY(QFile(dir.filePath(QLatin1String(name))).open(QIODevice::WriteOnly));
    QVERIFY(dir.mkdir(QStringLiteral("folder.bsp")));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("q3dm1.bsp")),
                        dir.filePath(QStringLiteral("link.bsp"))));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("folder.bsp")),
                        dir.filePath(QStringLiteral("folder link.bsp"))));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")),
                        dir.filePath(QStringLiteral("broken.bsp"))));
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.bsp"))).constData(), 0600),
             0);
    // A name that is not UTF-8, as old archives leave behind.
    const QByteArray latin1 = QFile::encodeName(folder.path()) + "/caf\xe9.bsp";
    QCOMPARE(::close(::open(latin1.constData(), O_CREAT | O_WRONLY, 0600)), 0);

    const auto names = platform::fileNamesIn(folder.path());
    QVERIFY(names.has_value());
    QStringList sorted = *names;
    sorted.sort();
    QCOMPARE(sorted, dir.entryList(QDir::Files, QDir::Name));
    QVERIFY(sorted.contains(QStringLiteral("link.bsp")));
    ::unlink(latin1.constData());
}

void TestFolderListing::unreadableFolderIsNothing()
{
    QTemporaryDir folder;
    QVERIFY(!platform::fileNamesIn(folder.filePath(QStringLiteral("missing"))).has_value());
    const QString file = folder.filePath(QStringLiteral("file"));
    QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    QVERIFY(!platform::fileNamesIn(file).has_value());
    QVERIFY(platform::fileNamesIn(folder.path()).value().contains(QStringLiteral("file")));
}

QTEST_APPLESS_MAIN(TestFolderListing)
#include "tst_FolderListing.moc"
