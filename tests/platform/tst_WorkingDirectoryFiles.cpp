#include "platform/WorkingDirectoryFiles.h"
#include "support/TemporaryWorkingDirectory.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

using platform::WorkingDirectoryFiles;

namespace {

#ifdef Q_OS_LINUX
// Set for a row run again in namespaces of its own, so that a run which still
// cannot mount gives up instead of starting another.
constexpr char kOwnNamespaces[] = "VORTLINE_OWN_NAMESPACES";

// tmpfs hands out whole memory pages.
const qint64 kBlock = ::sysconf(_SC_PAGESIZE);

// A tmpfs of 16 blocks mounted at a folder, and the working directory, for as
// long as it lives.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString& folder)
        : folder_(QFile::encodeName(folder))
        , previous_(QDir::currentPath())
    {
        const QByteArray size = "size=" + QByteArray::number(16 * kBlock);
        mounted_ = QDir().mkpath(folder) && ::mount("tmpfs", folder_, "tmpfs", 0, size) == 0;
        why_ = mounted_ ? QString() : qt_error_string(errno);
        if (mounted_)
            QDir::setCurrent(folder);
    }
    ~SmallFileSystem()
    {
        if (!mounted_)
            return;
        QDir::setCurrent(previous_);
        ::umount2(folder_, MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    QString why() const { return why_; }

    // Takes every free block but `room` bytes' worth; what is left free after.
    qint64 fillLeaving(qint64 room) const
    {
        QFile filler(QStringLiteral("filler"));
        const QByteArray block(kBlock, 'f');
        if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            while (filler.write(block) == block.size()) {
            }
            filler.resize(filler.size() - room);
        }
        struct statvfs status {};
        return ::statvfs(folder_, &status) == 0 ? qint64(status.f_bavail * status.f_frsize) : -1;
    }

private:
    QByteArray folder_;
    QString previous_;
    QString why_;
    bool mounted_ = false;
};

// Runs the current row again as root of user and mount namespaces of its
// own, where mounting needs no privilege. Whether it passed, and its output.
std::pair<bool, QString> rerunInOwnNamespaces()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kOwnNamespaces), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("unshare"),
                {QStringLiteral("-rm"), QCoreApplication::applicationFilePath(),
                 QLatin1String(QTest::currentTestFunction()) + QLatin1Char(':') +
                     QLatin1String(QTest::currentDataTag())});
    if (!child.waitForFinished(60'000))
        return {false, QStringLiteral("unshare -rm: ") + child.errorString()};
    return {child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
            QString::fromLocal8Bit(child.readAll())};
}
#else
const qint64 kBlock = 4096;
#endif

} // namespace

class TestWorkingDirectoryFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void findsAnExistingFileInAnySpelling();
    void createsNewFilesInTheAskedSpelling();
    void everySpellingReachesOneFileWhenSeveralExist();
    void reportsWhatItCannotDo();
    void fullDiskKeepsTheOldBytes_data();
    void fullDiskKeepsTheOldBytes();

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

void TestWorkingDirectoryFiles::fullDiskKeepsTheOldBytes_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<bool>("existing");
    // What the file system still takes into the file: an append has the
    // unused end of the file's last block, a new file only whole blocks.
    QTest::addColumn<qint64>("room");
    QTest::addColumn<qint64>("size");

    const qint64 record = 17;
    QTest::newRow("write, nothing free") << false << true << 0LL << record;
    QTest::newRow("write, a block free") << false << true << kBlock << kBlock + record;
    QTest::newRow("write of a new file, nothing free") << false << false << 0LL << record;
    QTest::newRow("append, nothing free") << true << true << 0LL << record;
    QTest::newRow("append, a few bytes free") << true << true << 3LL << record;
    QTest::newRow("append, most of a record free") << true << true << record - 3 << record;
    QTest::newRow("append to a new file, nothing free") << true << false << 0LL << record;
}

void TestWorkingDirectoryFiles::fullDiskKeepsTheOldBytes()
{
#ifndef Q_OS_LINUX
    QSKIP("cannot mount a tmpfs here: this system has none");
#else
    QFETCH(bool, append);
    QFETCH(bool, existing);
    QFETCH(qint64, room);
    QFETCH(qint64, size);
    SmallFileSystem disk(directory_->filePath(QStringLiteral("disk")));
    if (!disk.mounted()) {
        const QString cannot = QStringLiteral("cannot mount a tmpfs here: ") + disk.why();
        if (qEnvironmentVariableIsSet(kOwnNamespaces))
            QSKIP(qPrintable(cannot));
        const auto [passed, output] = rerunInOwnNamespaces();
        if (!output.contains(QLatin1String("Start testing")))
            QSKIP(qPrintable(cannot + QStringLiteral(", nor through ") + output));
        if (output.contains(QLatin1String("SKIP   :")))
            QSKIP(qPrintable(output));
        QVERIFY2(passed, qPrintable(output));
        return;
    }
    const QByteArray old(2 * kBlock - (append ? room : 0), 'o');
    if (existing) {
        QFile file(QStringLiteral("list"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size() && file.flush());
    }
    QCOMPARE(disk.fillLeaving(append ? 0 : room), append ? 0 : room);

    const QByteArray bytes(size, 'n');
    QVERIFY(!(append ? files_.append("list", bytes) : files_.write("list", bytes)));

    const QDir::Filters all = QDir::Files | QDir::Hidden | QDir::System;
    QCOMPARE(QDir().entryList(all, QDir::Name),
             existing ? QStringList({"filler", "list"}) : QStringList{"filler"});
    if (existing) {
        const QByteArray kept = files_.read("list").value_or("<none>");
        QCOMPARE(kept.size(), old.size());
        QCOMPARE(kept, old);
    }
#endif
}

QTEST_GUILESS_MAIN(TestWorkingDirectoryFiles)
#include "tst_WorkingDirectoryFiles.moc"
