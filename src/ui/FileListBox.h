#pragma once

#include <QListWidget>

namespace ui {

// The files of one folder that match a pattern such as "*.bsp ; *.map"
// (patterns separated by ";", blanks around them ignored), matched without
// regard to case and listed sorted the same way. A new path clears the choice;
// the user can choose another file but, as in a Windows file list, cannot
// leave none chosen.
class FileListBox : public QListWidget {
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString path() const { return path_; }
    // False, and nothing changes, when the folder cannot be opened.
    bool setPath(const QString& path);

    QString pattern() const { return pattern_; }
    void setPattern(const QString& pattern);

    // The chosen file's name without its folder; empty when none is chosen.
    QString fileName() const;

signals:
    // The user chose a file.
    void fileClicked();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    void refill();

    QString path_;
    QString pattern_ = QStringLiteral("*.*");
};

} // namespace ui
