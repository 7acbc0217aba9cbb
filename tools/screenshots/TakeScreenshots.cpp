// Renders the launcher's windows to PNG files without a display, so anyone
// can look at them: the main window at rest, with the directory picker and
// with the enhanced menu slid in, and the About window.

#include "app/Form1.h"
#include "support/FakePlatform.h"
#include "ui/DirListBox.h"
#include "ui/Panel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

bool save(QWidget& window, const QString& folder, const QString& name)
{
    const QString path = QDir(folder).filePath(name);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// A game installation with a few maps, and settings that point at it.
bool prepareWorkingDirectory(const QString& path)
{
    const QDir root(path);
    if (!root.mkpath(QStringLiteral("game/baseq3/maps")))
        return false;
    for (const char* name : {"quake3.exe", "baseq3/maps/q3dm1.bsp", "baseq3/maps/q3dm17.bsp",
                             "baseq3/maps/q3ctf1.bsp", "baseq3/maps/q3tourney2.bsp"}) {
        QFile file(root.filePath(QStringLiteral("game/")) + QLatin1String(name));
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    QFile settings(root.filePath(QStringLiteral("vortline.cfg")));
    QFile servers(root.filePath(QStringLiteral("servers.vtl")));
    const QByteArray record = "\"" + root.filePath(QStringLiteral("game/")).toLocal8Bit() +
                              "\",\"Fraglet\",\"Sarge\",\"0.0.0.0        \",\"\",0,0,1\r\n";
    return settings.open(QIODevice::WriteOnly) && settings.write(record) == record.size() &&
           servers.open(QIODevice::WriteOnly) && servers.write("0.0.0.0\r\n") == 9;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: takescreenshots OUTPUT-FOLDER\n");
        return 2;
    }
    const QString output = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QTemporaryDir working;
    if (!QDir().mkpath(output) || !working.isValid() || !prepareWorkingDirectory(working.path()) ||
        !QDir::setCurrent(working.path())) {
        std::fprintf(stderr, "could not prepare the folders\n");
        return 1;
    }

    platform::FakePlatform platform;
    app::Form1 window(platform);
    window.show();
    auto* picker = window.findChild<ui::Panel*>(QStringLiteral("Frame1"));
    auto* menu = window.findChild<ui::Panel*>(QStringLiteral("Frame2"));
    auto* version = window.findChild<QLabel*>(QStringLiteral("VerFRM"));
    if (!window.isVisible() || !picker || !menu || !version) {
        std::fprintf(stderr, "the main window did not start\n");
        return 1;
    }
    bool saved = save(window, output, QStringLiteral("main.png"));

    // The picker as a user leaves it just before OK: opened with "<", which
    // fills its lists, then in the game's folder with the game program chosen.
    // It is placed at rest at once rather than slid in.
    if (auto* open = window.findChild<QPushButton*>(QStringLiteral("Command4")))
        QTest::mouseClick(open, Qt::LeftButton);
    if (auto* slide = window.findChild<QTimer*>(QStringLiteral("Timer1")))
        slide->stop();
    picker->setVisible(true);
    picker->setLeft(0);
    auto* folders = window.findChild<ui::DirListBox*>(QStringLiteral("Dir1"));
    auto* programs = window.findChild<QListWidget*>(QStringLiteral("File2"));
    if (folders && programs && folders->setPath(QStringLiteral("game")) && programs->count() > 0)
        QTest::mouseClick(programs->viewport(), Qt::LeftButton, {},
                          programs->visualItemRect(programs->item(0)).center());
    saved = save(window, output, QStringLiteral("picker.png")) && saved;
    picker->setLeft(6500);
    picker->setVisible(false);

    menu->setTop(0);
    saved = save(window, output, QStringLiteral("enhanced-menu.png")) && saved;
    menu->setTop(5000);

    QTest::mouseClick(version, Qt::LeftButton);
    QWidget* about = nullptr;
    for (QWidget* candidate : QApplication::topLevelWidgets()) {
        if (candidate->objectName() == QLatin1String("frmAbout") && candidate->isVisible())
            about = candidate;
    }
    saved = (about && save(*about, output, QStringLiteral("about.png"))) && saved;
    return saved ? 0 : 1;
}
