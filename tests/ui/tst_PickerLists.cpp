#include "support/TemporaryWorkingDirectory.h"
#include "ui/DirListBox.h"
#include "ui/DriveListBox.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidgetItemIterator>

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
}

// The folders as indent and name, the highlighted one marked with "<".
QStringList listing(ui::DirListBox& list)
{
    QStringList lines;
    for (QTreeWidgetItemIterator it(&list); *it; ++it) {
        QString line = (*it)->text(0) + (*it == list.currentItem() ? " <" : "");
        for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
            line.prepend("  ");
        lines.append(line);
    }
    return lines;
}

// A game folder in the working directory, its subfolders in mixed case.
struct GameTree {
    GameTree()
    {
        for (const char* folder : {"game/baseq3", "game/Zeta", "game/alpha", "game/.hidden"})
            QDir().mkpath(folder);
        QFile("game/quake3.exe").open(QIODevice::WriteOnly);
        list.resize(300, 400);
        list.show();
    }

    TemporaryWorkingDirectory cwd;
    ui::DirListBox list;
    QSignalSpy changes{&list, &ui::DirListBox::pathChanged};
};

} // namespace

class TestPickerLists : public QObject {
    Q_OBJECT

private slots:
    void dirListShowsAncestorsAndSubfolders();
    void dirListOpensOnDoubleClickOrEnter_data();
    void dirListOpensOnDoubleClickOrEnter();
    void driveOfAPathIsTheLongestRootHoldingIt_data();
    void driveOfAPathIsTheLongestRootHoldingIt();
    void driveChangesOnlyWhenTheUserChoosesAnother();
};

void TestPickerLists::dirListShowsAncestorsAndSubfolders()
{
    GameTree t;
    for (const QString& path : QStringList{"game/", "./game/baseq3/..", native("game")})
        QVERIFY(t.list.setPath(path));
    QCOMPARE(t.list.path(), native("game"));
    const QStringList parts = QDir::fromNativeSeparators(t.list.path()).split('/');
    QStringList expected{native(parts[0] + '/')}; // "/" or "C:\"
    for (const QString& name : parts.mid(1))
        expected.append(QString(expected.size() * 2, ' ') + name);
    expected.last() += " <";
    const QString indent(expected.size() * 2, ' ');
#ifdef Q_OS_WIN
    expected << indent + ".hidden"; // Windows hides by attribute, not by name
#endif
    expected << indent + "alpha" << indent + "baseq3" << indent + "Zeta";
    QCOMPARE(listing(t.list), expected);

    for (const char* path : {"game/missing", "game/quake3.exe", ""})
        QVERIFY(!t.list.setPath(path));
    QCOMPARE(listing(t.list), expected);
    QCOMPARE(t.changes.size(), 1);

    QVERIFY(t.list.setPath(QDir::rootPath()));
    QTreeWidgetItem* root = t.list.topLevelItem(0);
    QCOMPARE(root->text(0), t.list.path());
    QCOMPARE(root->child(0)->data(0, Qt::UserRole).toString(),
             native(QDir::rootPath() + root->child(0)->text(0)));
}

void TestPickerLists::dirListOpensOnDoubleClickOrEnter_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<int>("changes");
    const struct {
        const char *gesture, *target, *opened;
        int changes;
    } rows[] = {{"click", "game/baseq3", "game", 0},
                {"double-click", "game/baseq3", "game/baseq3", 1},
                {"Return", "game/Zeta", "game/Zeta", 1},
                {"Enter", "game/alpha", "game/alpha", 1},
                {"double-click", ".", ".", 1},
                {"double-click", "game", "game", 0},
                {"remove, double-click", "game/baseq3", "game", 0}};
    for (const auto& [gesture, target, opened, changes] : rows)
        QTest::addRow("%s %s", gesture, target)
            << QString(gesture) << QString(target) << QString(opened) << changes;
}

void TestPickerLists::dirListOpensOnDoubleClickOrEnter()
{
    QFETCH(QString, gesture);
    QFETCH(QString, target);
    QFETCH(QString, opened);
    QFETCH(int, changes);
    GameTree t;
    QVERIFY(t.list.setPath("game") && QTest::qWaitForWindowExposed(&t.list));
    t.changes.clear();
    const auto items = [&] {
        return t.list.findItems(QFileInfo(native(target)).fileName(), Qt::MatchRecursive);
    };
    const QPoint at = t.list.visualItemRect(items().value(0)).center();
    if (gesture.startsWith("remove"))
        QVERIFY(QDir(target).removeRecursively());

    QTest::mouseClick(t.list.viewport(), Qt::LeftButton, {}, at);
    if (gesture.endsWith("double-click"))
        QTest::mouseDClick(t.list.viewport(), Qt::LeftButton, {}, at);
    else if (gesture != "click")
        QTest::keyClick(&t.list, gesture == "Enter" ? Qt::Key_Enter : Qt::Key_Return);
    QCOMPARE(t.list.path(), native(opened));
    QCOMPARE(t.changes.size(), changes);
    QCOMPARE(items().size(), QFileInfo::exists(target) ? 1 : 0); // the tree shows what is on disk
}

void TestPickerLists::driveOfAPathIsTheLongestRootHoldingIt_data()
{
    QTest::addColumn<QStringList>("roots");
    QTest::addColumn<QString>("chosen");
    // Each row is named after the path it looks up.
#ifdef Q_OS_WIN
    const QStringList roots{"c:", "d:"};
    const char* rows[][2] = {{"D:\\Games", "d:"}, {"c:", "c:"}};
#else
    // Nested mounts in no order, one given with a trailing separator.
    const QStringList roots{"/boot/efi", "/", "/boot", "/mnt/q3/"};
    const char* rows[][2] = {{"/", "/"},
                             {"/boot", "/boot"},
                             {"/boot/efi/EFI", "/boot/efi"},
                             {"/bootx/a", "/"},
                             {"/boot/../mnt/q3/baseq3", "/mnt/q3/"}};
    QTest::newRow("/home") << QStringList{"/boot"} << QString();
#endif
    for (const auto& [path, chosen] : rows)
        QTest::newRow(path) << roots << QString(chosen);
}

void TestPickerLists::driveOfAPathIsTheLongestRootHoldingIt()
{
    QFETCH(QStringList, roots);
    QFETCH(QString, chosen);
    ui::DriveListBox box;
    QSignalSpy changes(&box, &ui::DriveListBox::driveChanged);
    QList<ui::DriveListBox::Drive> drives;
    for (const QString& root : roots)
        drives.append({'[' + root + ']', root});
    box.setDrives(drives);
    box.setDriveOf(QTest::currentDataTag());
    QCOMPARE(box.driveDirectory(), chosen);
    QCOMPARE(box.drive(), chosen.isEmpty() ? QString() : '[' + chosen + ']');
    box.setDrives(drives);
    QCOMPARE(box.currentIndex(), -1);
    QCOMPARE(changes.size(), 0);
}

void TestPickerLists::driveChangesOnlyWhenTheUserChoosesAnother()
{
#ifndef Q_OS_WIN
    QCOMPARE(ui::DriveListBox::systemDrives().value(0).directory, QStringLiteral("/"));
#endif
    ui::DriveListBox box;
    box.setDrives({{"root", "/"}, {"boot", "/boot"}, {"home", "/home"}});
    box.setDriveOf("/boot/x");
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QSignalSpy changes(&box, &ui::DriveListBox::driveChanged);
    const auto press = [](const QList<Qt::Key>& keys) {
        for (const Qt::Key key : keys)
            QTest::keyClick(QApplication::focusWidget(), key);
    };

    press({Qt::Key_Down});
    QCOMPARE(box.drive(), QStringLiteral("home"));
    press({Qt::Key_F4, Qt::Key_Return}); // the same drive again, from the list
    box.setDriveOf("/");
    press({Qt::Key_F4, Qt::Key_Return});
    press({Qt::Key_Down});
    QCOMPARE(box.drive(), QStringLiteral("boot"));
    QCOMPARE(changes.size(), 2);
}

QTEST_MAIN(TestPickerLists)
#include "tst_PickerLists.moc"
