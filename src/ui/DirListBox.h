#pragma once

#include <QTreeWidget>

namespace ui {

// A directory list as Windows draws one: the path's ancestors as open
// folders, one under another, then the current folder's subfolders. A single
// click only highlights a folder; a double click or Enter opens it.
class DirListBox : public QTreeWidget {
    Q_OBJECT

public:
    explicit DirListBox(QWidget* parent = nullptr);

    // The current folder, absolute, with native separators and no trailing
    // separator except for a root ("C:\", "/"); empty, and the tree too, until
    // the first setPath() that succeeds.
    QString path() const { return path_; }
    // False, and nothing changes, when the folder cannot be listed. Raises
    // pathChanged() when the path actually changes.
    bool setPath(const QString& path);

signals:
    void pathChanged();

private:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Folders open by a double click, never by an expand arrow.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}
    void refill();
    void openItem(QTreeWidgetItem* item);

    QString path_;
};

} // namespace ui
