#include "DirListBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace ui {
namespace {

constexpr int kPathRole = Qt::UserRole;

// Permission bits do not tell the whole story (Windows ACLs, a drive with no
// disc in it), and Qt lists a folder it cannot open as an empty one; so the
// folder is opened once to be sure it can be walked.
bool opensForListing(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !QDir(folder).isReadable())
        return false;
#ifdef Q_OS_WIN
    const std::filesystem::path native(folder.toStdWString());
#else
    const std::filesystem::path native(QFile::encodeName(folder).toStdString());
#endif
    std::error_code error;
    [[maybe_unused]] const std::filesystem::directory_iterator entries(native, error);
    return !error;
}

QTreeWidgetItem* addFolder(QTreeWidgetItem* item, const QString& folder, const QIcon& icon)
{
    const QString name = QFileInfo(folder).fileName();
    item->setText(0, name.isEmpty() ? QDir::toNativeSeparators(folder) : name);
    item->setIcon(0, icon);
    item->setData(0, kPathRole, QDir::toNativeSeparators(folder));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

DirListBox::DirListBox(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::NoDragDrop);
}

bool DirListBox::setPath(const QString& path)
{
    if (path.isEmpty())
        return false;
    // On Windows "c:" is that drive's current directory, which is what
    // absoluteFilePath() makes of it.
    const QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!opensForListing(folder))
        return false;
    const QString native = QDir::toNativeSeparators(folder);
    const bool changed = native != path_;
    path_ = native;
    refill();
    if (changed)
        emit pathChanged();
    return true;
}

void DirListBox::refill()
{
    clear();
    if (path_.isEmpty())
        return;
    QStringList chain;
    for (QDir folder(QDir::fromNativeSeparators(path_));;) {
        chain.prepend(folder.absolutePath());
        if (folder.isRoot() || !folder.cdUp())
            break;
    }
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon, nullptr, this);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon, nullptr, this);
    QTreeWidgetItem* current = addFolder(new QTreeWidgetItem(this), chain.takeFirst(), open);
    for (const QString& folder : chain)
        current = addFolder(new QTreeWidgetItem(current), folder, open);

    QFileInfoList subfolders = QDir(path_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(subfolders.begin(), subfolders.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const int order = a.fileName().compare(b.fileName(), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.fileName() < b.fileName();
    });
    for (const QFileInfo& subfolder : subfolders)
        addFolder(new QTreeWidgetItem(current), subfolder.absoluteFilePath(), closed);

    expandAll();
    setCurrentItem(current);
    scrollToItem(current);
}

void DirListBox::openItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    // A folder removed since the list was filled must not take the list
    // with it; the refill drops it from view.
    if (!setPath(item->data(0, kPathRole).toString()))
        refill();
}

void DirListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Opening refills the tree; it waits until the view has told everyone
    // about the double click, so nobody is handed an item already deleted.
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        openItem(itemAt(event->position().toPoint()));
}

void DirListBox::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        // Taken here, so the dialog's default button does not fire as well.
        openItem(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace ui
