#include "Form1Fixture.h"
#include "UnprivilegedRerun.h"

#include "platform/PosixPlatform.h"
#include "ui/DirListBox.h"
#include "ui/ValueCheckBox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::MessageIcon;

namespace {

// Gives a path a mode for as long as it lives, then the one it had.
class Mode {
public:
    Mode(const QString& path, int mode)
        : path_(QFile::encodeName(path))
        , mode_(mode)
    {
        struct stat before {};
        if (::stat(path_.constData(), &before) == 0 && ::chmod(path_.constData(), mode) == 0)
            previous_ = int(before.st_mode & 07777);
        const bool folder = S_ISDIR(before.st_mode);
        // A user the bits do not stop (one with capabilities, a file system
        // that ignores them) would make the case prove nothing.
        if (!(mode & S_IRUSR) &&
            (folder ? opens(::opendir(path_)) : opens(::open(path_, O_RDONLY))))
            holds_ = false;
        if (!(mode & S_IWUSR) && (folder ? opens(::open(path_ + "/probe", O_WRONLY | O_CREAT, 0600))
                                         : opens(::open(path_, O_WRONLY))))
            holds_ = false;
        if (folder && !(mode & S_IXUSR) && ::access(path_ + "/.", F_OK) == 0)
            holds_ = false;
    }
    ~Mode()
    {
        if (previous_ >= 0)
            ::chmod(path_.constData(), previous_);
    }
    Mode(const Mode&) = delete;
    Mode& operator=(const Mode&) = delete;

    bool holds() const { return previous_ >= 0 && holds_; }
    QByteArray why() const
    {
        const QByteArray mode = "mode " + QByteArray::number(mode_, 8) + " of " + path_;
        return previous_ < 0 ? "cannot set the " + mode
                             : mode + " does not stop uid " + QByteArray::number(::geteuid());
    }

private:
    static bool opens(DIR* folder) { return folder && ::closedir(folder) == 0; }
    static bool opens(int file) { return file >= 0 && ::close(file) == 0; }

    QByteArray path_;
    int mode_;
    int previous_ = -1;
    bool holds_ = true;
};

#define LOCK(name, path, mode)                                                                     \
    Mode name(path, mode);                                                                         \
    QVERIFY2(name.holds(), name.why().constData())

constexpr int kLockedFolder = 0555;
constexpr int kReadOnlyFile = 0444;
const QByteArray kMissing = "<missing>";

void add(QWidget& window, const QString& server)
{
    control<QComboBox>(window, "Combo2")->setEditText(server);
    click(control<QPushButton>(window, "Command3"));
}

// All of a literal, NULs included.
template <qsizetype N> QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

bool startsWith(const QList<platform::FakePlatform::Message>& messages, int index,
                const QString& text)
{
    return index < messages.size() && messages[index].text.startsWith(text);
}

} // namespace

class TestForm1Faults : public QObject {
    Q_OBJECT

private slots:
    void lockedFilesAreNeverReplacedAtStart_data();
    void lockedFilesAreNeverReplacedAtStart();
    void lockedFilesWhileRunningAreReported();
    void fullDiskChangesNoFile_data();
    void fullDiskChangesNoFile();
    void unreadableMapsFolder_data();
    void unreadableMapsFolder();
    void folderInPlaceOfAFile_data();
    void folderInPlaceOfAFile();
    void oddFilesLoadOrAreRepaired_data();
    void oddFilesLoadOrAreRepaired();
    void gameThatCannotStartIsReported_data();
    void gameThatCannotStartIsReported();
    void pickedFolderThatVanishes();
};

void TestForm1Faults::lockedFilesAreNeverReplacedAtStart_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QByteArray>("servers");
    QTest::addColumn<QString>("locked");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("unwritten"); // as the message names it
    QTest::addColumn<QString>("backup");    // kept although the repair failed

    const QByteArray valid = record(QStringLiteral("NOTSET"));
    const QByteArray broken = "broken";
    const QString cfg = QStringLiteral("vortline.cfg");
    const QString list = QStringLiteral("servers.vtl");
    QTest::newRow("first start, folder locked")
        << kMissing << kMissing << "." << kLockedFolder
        << QStringList{"message", "write vortline.cfg", "message", "end"} << cfg << "";
    QTest::newRow("second start, folder locked")
        << valid << kMissing << "." << kLockedFolder
        << QStringList{"message", "write servers.vtl", "message", "end"} << list << "";
    QTest::newRow("broken settings, folder locked")
        << broken << kMissing << "." << kLockedFolder
        << QStringList{"message", "write vortline.cfg.bak", "message", "end"} << cfg << "";
    QTest::newRow("broken settings, file read-only")
        << broken << kMissing << cfg << kReadOnlyFile
        << QStringList{"message", "write vortline.cfg.bak", "write vortline.cfg", "message", "end"}
        << cfg << "vortline.cfg.bak";
    QTest::newRow("empty list, folder locked")
        << valid << QByteArray() << "." << kLockedFolder
        << QStringList{"message", "write servers.vtl.bak", "message", "end"} << list << "";
    // What cannot be read cannot be kept, so it is not replaced either.
    QTest::newRow("settings not readable")
        << valid << kMissing << cfg << 0 << QStringList{"message", "message", "end"} << cfg << "";
    QTest::newRow("list not readable") << valid << QByteArray("0.0.0.0\r\n") << list << 0
                                       << QStringList{"message", "message", "end"} << list << "";
}

void TestForm1Faults::lockedFilesAreNeverReplacedAtStart()
{
    RUN_UNPRIVILEGED();
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, servers);
    QFETCH(QString, locked);
    QFETCH(int, mode);
    QFETCH(QStringList, log);
    QFETCH(QString, unwritten);
    QFETCH(QString, backup);
    Form1Fixture fixture;
    if (settings != kMissing)
        fixture.write("vortline.cfg", settings);
    if (servers != kMissing)
        fixture.write("servers.vtl", servers);
    QStringList files = fixture.fileNames();
    QWidget* window = nullptr;
    {
        LOCK(lock, locked, mode);
        window = &fixture.start();
    }

    auto& platform = fixture.platform;
    QCOMPARE(platform.log, log);
    QVERIFY(startsWith(platform.messages, 1, unwritten + " could not be written"));
    QCOMPARE(platform.messages[1].icon, MessageIcon::Critical);
    QVERIFY(!window->isVisible());
    QCOMPARE(fixture.read("vortline.cfg"), settings);
    QCOMPARE(fixture.read("servers.vtl"), servers);
    if (!backup.isEmpty()) {
        QCOMPARE(fixture.read(backup), settings);
        files.append(backup);
    }
    QCOMPARE(fixture.fileNames(), files);
}

void TestForm1Faults::lockedFilesWhileRunningAreReported()
{
    RUN_UNPRIVILEGED();
    Form1Fixture fixture;
    QWidget& window = fixture.startWithGame();
    auto& platform = fixture.platform;
    const QByteArray settings = fixture.read("vortline.cfg");
    control<QLineEdit>(window, "Text2")->setText(QStringLiteral("Unsaved"));
    control<ui::ValueCheckBox>(window, "Check3")->setValue(1);
    {
        LOCK(folder, ".", kLockedFolder);
        click(control<QPushButton>(window, "Command2"));
        QVERIFY(startsWith(platform.messages, 0, "The settings could not be saved"));
        // Appending needs the list, not the folder.
        add(window, QStringLiteral("appended"));
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(fixture.read("servers.vtl"), QByteArray("0.0.0.0\r\nappended\r\n"));
        {
            LOCK(list, "servers.vtl", kReadOnlyFile);
            add(window, QStringLiteral("refused"));
        }
        QVERIFY(startsWith(platform.messages, 1, "The server could not be added"));
        QCOMPARE(control<QComboBox>(window, "Combo2")->currentText(), QStringLiteral("refused"));
    }
    {
        // Replacing needs the file to be writable even where the folder is.
        LOCK(file, "vortline.cfg", kReadOnlyFile);
        click(control<QPushButton>(window, "Command2"));
    }
    QVERIFY(startsWith(platform.messages, 2, "The settings could not be saved"));
    QCOMPARE(platform.messages.size(), 3);
    QCOMPARE(fixture.read("vortline.cfg"), settings);
    QCOMPARE(fixture.read("servers.vtl"), QByteArray("0.0.0.0\r\nappended\r\n"));
    QCOMPARE(fixture.fileNames(), QStringList({"servers.vtl", "vortline.cfg"}));
    QCOMPARE(platform.endCount, 0);
    QVERIFY(window.isVisible());
}

void TestForm1Faults::fullDiskChangesNoFile_data()
{
    QTest::addColumn<QString>("file"); // holds `bytes` instead of what starts normally
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("action"); // after the start, if any
    QTest::addColumn<int>("refused");    // the write the full disk refuses
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("backup"); // a copy of `file` the repair kept

    const QString cfg = QStringLiteral("vortline.cfg");
    const QString list = QStringLiteral("servers.vtl");
    const QString cfgUnwritten = QStringLiteral("vortline.cfg could not be written");
    const QString listUnwritten = QStringLiteral("servers.vtl could not be written");
    const QString notAdded = QStringLiteral("The server could not be added");
    QTest::newRow("save settings") << QString() << QByteArray() << "save" << 1
                                   << "The settings could not be saved" << QString();
    QTest::newRow("+") << QString() << QByteArray() << "+" << 1 << notAdded << QString();
    QTest::newRow("+ after a last line without its end")
        << list << QByteArray("0.0.0.0") << "+" << 1 << notAdded << QString();
    QTest::newRow("settings repaired, backup refused")
        << cfg << QByteArray("broken") << QString() << 1 << cfgUnwritten << QString();
    QTest::newRow("settings repaired, settings refused")
        << cfg << QByteArray("broken") << QString() << 2 << cfgUnwritten << cfg + ".bak";
    QTest::newRow("list repaired, backup refused")
        << list << QByteArray() << QString() << 1 << listUnwritten << QString();
    QTest::newRow("list repaired, list refused")
        << list << QByteArray() << QString() << 2 << listUnwritten << list + ".bak";
}

void TestForm1Faults::fullDiskChangesNoFile()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, action);
    QFETCH(int, refused);
    QFETCH(QString, message);
    QFETCH(QString, backup);
    Form1Fixture fixture;
    fixture.writeValidFiles(fixture.makeGame());
    if (!file.isNull())
        fixture.write(file, bytes);
    const QByteArray settings = fixture.read("vortline.cfg");
    const QByteArray servers = fixture.read("servers.vtl");
    QStringList files = fixture.fileNames();
    fixture.platform.fullDiskAt = refused;

    QWidget& window = fixture.start();
    if (action == QLatin1String("save"))
        click(control<QPushButton>(window, "Command2"));
    else if (action == QLatin1String("+"))
        add(window, QStringLiteral("1.2.3.4"));

    const auto& messages = fixture.platform.messages;
    QVERIFY(!messages.isEmpty());
    QVERIFY2(messages.last().text.startsWith(message), qPrintable(messages.last().text));
    QCOMPARE(messages.last().icon, MessageIcon::Critical);
    QCOMPARE(fixture.read("vortline.cfg"), settings);
    QCOMPARE(fixture.read("servers.vtl"), servers);
    if (!backup.isNull()) {
        QCOMPARE(fixture.read(backup), bytes);
        files.append(backup);
        files.sort();
    }
    QCOMPARE(fixture.fileNames(), files);
}

void TestForm1Faults::unreadableMapsFolder_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("whileRunning");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QStringList>("maps");

    const QStringList maps{"q3dm1.bsp", "q3dm17.bsp"};
    const QStringList initFail{"message"};
    QTest::newRow("no rights") << 0 << false << initFail << QStringList{};
    QTest::newRow("no reading") << 0333 << false << initFail << QStringList{};
    // The names can be listed; whether the game can open them is its concern.
    QTest::newRow("no searching") << 0444 << false << QStringList{} << maps;
    // "+" reads the server list alone: the maps shown stay.
    QTest::newRow("no rights, then +") << 0 << true << QStringList{"append SERVERS.VTL"} << maps;
}

void TestForm1Faults::unreadableMapsFolder()
{
    RUN_UNPRIVILEGED();
    QFETCH(int, mode);
    QFETCH(bool, whileRunning);
    QFETCH(QStringList, log);
    QFETCH(QStringList, maps);
    Form1Fixture fixture;
    const QString game = fixture.makeGame();
    fixture.writeValidFiles(game);
    std::unique_ptr<Mode> lock;
    const auto lockMaps = [&] {
        lock = std::make_unique<Mode>(game + "baseq3/maps", mode);
        QVERIFY2(lock->holds(), lock->why().constData());
    };
    if (!whileRunning)
        lockMaps();
    QWidget& window = fixture.start();
    if (whileRunning) {
        lockMaps();
        add(window, QStringLiteral("reloads"));
    }
    lock.reset();

    QCOMPARE(fixture.platform.log, log);
    if (log.contains("message"))
        QVERIFY(startsWith(fixture.platform.messages, 0, "ERROR\r\rINIT FAIL Directory " + game));
    QCOMPARE(listItems(control<QListWidget>(window, "File1")), maps);
}

void TestForm1Faults::folderInPlaceOfAFile_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("whileRunning");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("settings") << "vortline.cfg"
                              << "vortline.cfg" << false
                              << QStringList{"message", "write vortline.cfg", "message", "end"};
    QTest::newRow("list") << "SERVERS.VTL"
                          << "servers.vtl" << false
                          << QStringList{"message", "write servers.vtl", "message", "end"};
    // Only files answer to a name in any letter case, so the repair writes
    // its list beside a folder whose name differs in case.
    QTest::newRow("list in capitals")
        << "SERVERS.VTL"
        << "SERVERS.VTL" << false << QStringList{"message", "write servers.vtl", "end"};
    QTest::newRow("list, then +") << "SERVERS.VTL"
                                  << "SERVERS.VTL" << true
                                  << QStringList{"append SERVERS.VTL", "message"};
}

void TestForm1Faults::folderInPlaceOfAFile()
{
    QFETCH(QString, removed);
    QFETCH(QString, folder);
    QFETCH(bool, whileRunning);
    QFETCH(QStringList, log);
    Form1Fixture fixture;
    fixture.write("vortline.cfg", record(fixture.makeGame()));
    fixture.write("SERVERS.VTL", "0.0.0.0\r\n");
    const auto replace = [&] {
        QVERIFY(QFile::remove(removed));
        QVERIFY(QDir().mkpath(folder));
        fixture.write(folder + "/inside", "kept");
    };
    if (!whileRunning)
        replace();

    QWidget& window = fixture.start();
    if (whileRunning) {
        replace();
        add(window, QStringLiteral("refused"));
        QVERIFY(startsWith(fixture.platform.messages, 0, "The server could not be added"));
    }

    QCOMPARE(fixture.platform.log, log);
    QCOMPARE(window.isVisible(), whileRunning);
    QCOMPARE(fixture.platform.endCount, whileRunning ? 0 : 1);
    QCOMPARE(fixture.read(folder + "/inside"), QByteArray("kept"));
    if (log.size() == 4)
        QVERIFY(startsWith(fixture.platform.messages, 1, log[1].mid(6) + " could not be written"));
}

void TestForm1Faults::oddFilesLoadOrAreRepaired_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QByteArray>("servers");
    QTest::addColumn<QString>("name"); // none when the settings are repaired
    QTest::addColumn<int>("entries");
    QTest::addColumn<QStringList>("head"); // the list's first entries

    const QByteArray rest = R"(,"Sarge","1.2.3.4","",1,0,1)";
    const QByteArray game = "\"<game>\"";
    const QByteArray nuls(4096, '\0');
    const qsizetype large = 4 << 20;
    const QStringList sorted{padded("A"), padded("a"), padded("srv"), padded("SRV"), padded("srv")};
    QTest::newRow("LF only") << game + ",\"LF\"" + rest + "\n"
                             << QByteArray("srv\nA\nSRV\na\nsrv\n") << "LF" << 5 << sorted;
    QTest::newRow("CR only") << game + ",\"CR\"" + rest + "\r"
                             << QByteArray("srv\rA\rSRV\ra\rsrv\r") << "CR" << 5 << sorted;
    QTest::newRow("NUL in the name") << game + bytes(",\"N\0L\"") + rest << bytes("a\0b\r\n")
                                     << QString::fromLatin1(bytes("N\0L")) << 1
                                     << QStringList{padded(QString::fromLatin1(bytes("a\0b")))};
    // As a loss of power can leave a file.
    QTest::newRow("NULs after the record") << game + ",\"P\"" + rest + "\r\n" + nuls << nuls << "P"
                                           << 1 << QStringList{QString(nuls.size(), QChar(0))};
    QTest::newRow("NULs for the record")
        << nuls << QByteArray("a\r\n") << QString() << 0 << QStringList{};
    QTest::newRow("NUL in a check value") << game + bytes(",\"P\",\"\",\"\",\"\",1\0,0,0")
                                          << QByteArray("a\r\n") << QString() << 0 << QStringList{};
    // The name box holds no more than 32767 characters.
    QTest::newRow("4 MB name") << game + ",\"" + QByteArray(large, 'n') + '"' + rest
                               << QByteArray(large, 's') << QString(32767, 'n') << 1
                               << QStringList{QString(large, 's')};
    QTest::newRow("4 MB check value")
        << game + ",\"P\",\"\",\"\",\"\",1,0," + QByteArray(large, '1') << QByteArray("a\r\n")
        << QString() << 0 << QStringList{};
    QTest::newRow("4 MB, no separator")
        << QByteArray(large, 'x') << QByteArray("a\r\n") << QString() << 0 << QStringList{};
    QByteArray many;
    while (many.size() < large)
        many += "10.0.0.2,10.0.0.1,";
    QTest::newRow("half a million servers")
        << game + ",\"P\"" + rest << many << "P" << int(many.count(','))
        << QStringList{padded("10.0.0.1"), padded("10.0.0.1")};
}

void TestForm1Faults::oddFilesLoadOrAreRepaired()
{
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, servers);
    QFETCH(QString, name);
    QFETCH(int, entries);
    QFETCH(QStringList, head);
    Form1Fixture fixture;
    settings.replace("<game>", fixture.makeGame().toLatin1());
    fixture.write("vortline.cfg", settings);
    fixture.write("servers.vtl", servers);
    QElapsedTimer clock;
    clock.start();

    QWidget& window = fixture.start();

    QVERIFY2(clock.elapsed() < 20'000, qPrintable(QString::number(clock.elapsed()) + " ms"));
    if (name.isNull()) {
        QCOMPARE(fixture.platform.log,
                 QStringList({"message", "write vortline.cfg.bak", "write vortline.cfg", "end"}));
        QVERIFY(fixture.read("vortline.cfg.bak") == settings);
        QVERIFY(!window.isVisible());
        return;
    }
    QVERIFY(fixture.platform.log.isEmpty());
    QVERIFY(control<QLineEdit>(window, "Text2")->text() == name);
    auto* list = control<QComboBox>(window, "Combo2");
    QCOMPARE(list->count(), entries);
    QCOMPARE(listItems(list).mid(0, head.size()), head);
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->currentText(), padded("1.2.3.4"));
}

void TestForm1Faults::gameThatCannotStartIsReported_data()
{
    QTest::addColumn<QString>("game"); // what is at <game>quake3.exe
    QTest::addColumn<int>("error");    // whose text the message gives; 0: it starts

    QTest::newRow("a program") << "program" << 0;
    QTest::newRow("nothing") << "nothing" << ENOENT;
    QTest::newRow("a file that is not a program") << "file" << EACCES;
    QTest::newRow("a file with the right to run, not a program") << "text" << ENOEXEC;
    QTest::newRow("a folder") << "folder" << EISDIR;
    QTest::newRow("game folder removed after start") << "removed" << ENOENT;
#ifndef Q_OS_WIN
    QTest::newRow("a Windows program beside an engine") << "windows" << 0;
#endif
}

void TestForm1Faults::gameThatCannotStartIsReported()
{
    QFETCH(QString, game);
    QFETCH(int, error);
    Form1Fixture fixture;
    const QString directory = fixture.makeGame();
    const QString program = directory + "quake3.exe";
    fixture.writeValidFiles(directory);
    if (game == "folder")
        QVERIFY(QDir().mkpath(program));
    if (game == "windows") {
        QFile windowsProgram(program);
        QVERIFY(windowsProgram.open(QIODevice::WriteOnly));
        windowsProgram.write(QByteArray("MZ\x90\0", 4));
        QVERIFY(windowsProgram.setPermissions(windowsProgram.permissions() | QFile::ExeOwner));
    }
    if (game == "program" || game == "file" || game == "text" || game == "removed" ||
        game == "windows") {
        QFile file(game == "windows" ? directory + "ioquake3.x86_64" : program);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // Without its first line the script is no program, and no shell runs it instead.
        file.write(game == "text" ? "echo \"$@\" > started\n"
                                  : "#!/bin/sh\necho \"$@\" > started\n");
        if (game != "file")
            QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
    }
    platform::PosixPlatform real;
    fixture.platform.starts = &real;
    QWidget& window = fixture.start();
    if (game == "removed")
        QVERIFY(QDir(directory).removeRecursively());

    click(control<QPushButton>(window, "Command1"));

    const QStringList log = error == 0 ? QStringList{"run"} : QStringList{"run", "message"};
    QCOMPARE(fixture.platform.log, log);
    QVERIFY(window.isVisible());
    if (error == 0) {
        QTRY_COMPARE(fixture.read("started"), QByteArray("+name Name\n"));
        return;
    }
    QCOMPARE(fixture.platform.messages[0].text,
             "This could not be started:\r\r" + program +
                 " +name Name \r\rReason: " + qt_error_string(error));
    QCOMPARE(fixture.platform.messages[0].icon, MessageIcon::Critical);
}

void TestForm1Faults::pickedFolderThatVanishes()
{
    Form1Fixture fixture;
    const QString game = fixture.makeGame();
    QVERIFY(QFile(game + "quake3.exe").open(QIODevice::WriteOnly));
    fixture.writeValidFiles(QStringLiteral("NOTSET"));
    QWidget& window = fixture.start();
    auto* dirs = control<ui::DirListBox>(window, "Dir1");
    auto* ok = control<QPushButton>(window, "Command5");
    QVERIFY(dirs->setPath(game));
    clickItem(control<QListWidget>(window, "File2"), QStringLiteral("quake3.exe"));
    const QString shown = dirs->path();
    QVERIFY(QDir(game).removeRecursively());

    // Opening a subfolder of the vanished folder, or the folder itself.
    for (const char* folder : {"baseq3", "game"}) {
        const auto found = dirs->findItems(folder, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY2(found.size() == 1, folder);
        QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {},
                           dirs->visualItemRect(found[0]).center());
        QCOMPARE(dirs->path(), shown);
        QVERIFY(dirs->currentItem());
    }
    QVERIFY(dirs->findItems("baseq3", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
    QVERIFY(fixture.platform.log.isEmpty());

    // OK finds no maps in the folder the picker shows, and takes nothing.
    QVERIFY(ok->isEnabled());
    click(ok);
    QCOMPARE(fixture.platform.log, QStringList({"message"}));
    QVERIFY(startsWith(fixture.platform.messages, 0, "ERROR\r\rINIT FAIL Directory " + game));
    QCOMPARE(fixture.read("vortline.cfg"), record("NOTSET"));
    QVERIFY(!control<QTimer>(window, "Timer2")->isActive());
}

QTEST_MAIN(TestForm1Faults)
#include "tst_Form1Faults.moc"
