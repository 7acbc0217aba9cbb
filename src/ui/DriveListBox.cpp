#include "DriveListBox.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace ui {
namespace {

constexpr int kDirectoryRole = Qt::UserRole;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;

// Kernel and runtime file systems, where nobody keeps a game. Removable
// drives mounted under /run/media (Fedora, Arch) stay.
bool isSystemMount(const QString& root)
{
    if (root.startsWith(QLatin1String("/run/media/")))
        return false;
    for (const char* system : {"/proc", "/sys", "/dev", "/run", "/snap"}) {
        const QLatin1String prefix(system);
        if (root == prefix || root.startsWith(prefix + QLatin1Char('/')))
            return true;
    }
    return false;
}
#endif

// Whether `path` lies on the drive whose folder is `root`, comparing whole
// path components: "/boot" holds "/boot/x" but not "/bootx".
bool holds(QString root, const QString& path)
{
    root = QDir::fromNativeSeparators(root);
    if (root.isEmpty() || !path.startsWith(root, kPathCase))
        return false;
    // "c:" stands for a whole drive, whatever follows it.
    return path.size() == root.size() || root.endsWith(QLatin1Char('/')) ||
           root.endsWith(QLatin1Char(':')) || path.at(root.size()) == QLatin1Char('/');
}

} // namespace

DriveListBox::DriveListBox(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
    // Qt reports the keyboard and the wheel moving the choice as activations
    // too, which is what Windows does; choosing the drive already chosen is
    // no change.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index == chosen_)
            return;
        chosen_ = index;
        emit driveChanged();
    });
}

QList<DriveListBox::Drive> DriveListBox::systemDrives()
{
    QList<Drive> drives;
#ifdef Q_OS_WIN
    for (const QFileInfo& root : QDir::drives()) {
        const QString letter = root.filePath().left(2).toLower();
        const QString label = QStorageInfo(root.filePath()).name();
        drives.append(
            {label.isEmpty() ? letter : letter + QLatin1String(" [") + label + QLatin1Char(']'),
             letter});
    }
#else
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // Containers bind-mount single files such as /etc/hosts.
        if (!volume.isValid() || !volume.isReady() || isSystemMount(root) ||
            !QFileInfo(root).isDir())
            continue;
        drives.append({root, root});
    }
    const auto rootFirst = [](const Drive& a, const Drive& b) {
        const bool aIsRoot = a.directory == QLatin1String("/");
        const bool bIsRoot = b.directory == QLatin1String("/");
        return aIsRoot != bIsRoot ? aIsRoot : a.text < b.text;
    };
    std::sort(drives.begin(), drives.end(), rootFirst);
    // A mount point mounted over again is listed once per mount.
    const auto sameRoot = [](const Drive& a, const Drive& b) {
        return a.directory == b.directory;
    };
    drives.erase(std::unique(drives.begin(), drives.end(), sameRoot), drives.end());
#endif
    return drives;
}

void DriveListBox::setDrives(const QList<Drive>& drives)
{
    const QSignalBlocker blocker(this);
    clear();
    for (const Drive& drive : drives)
        addItem(drive.text, drive.directory);
    setCurrentIndex(-1);
    chosen_ = -1;
}

QString DriveListBox::drive() const
{
    return currentIndex() < 0 ? QString() : itemText(currentIndex());
}

QString DriveListBox::driveDirectory() const
{
    return currentIndex() < 0 ? QString() : itemData(currentIndex(), kDirectoryRole).toString();
}

void DriveListBox::setDriveOf(const QString& path)
{
    const QString absolute =
        path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i, kDirectoryRole).toString();
        if (root.size() > bestLength && holds(root, absolute)) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker blocker(this);
    setCurrentIndex(best);
    chosen_ = best;
}

} // namespace ui
