#pragma once

#include "PictureTip.h"

#include <QListWidget>
#include <QPersistentModelIndex>

namespace ui {

class PictureTipWindow;

// The files of one folder that match a pattern such as "*.bsp ; *.map"
// (patterns separated by ";", blanks around them ignored), matched without
// regard to case and listed sorted the same way. A name that could not reach
// the game's command line as one word, a blank in it for one, is not listed.
// A new path clears the choice;
// the user can choose another file but, as in a Windows file list, cannot
// leave none chosen.
class FileListBox : public QListWidget {
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString path() const { return path_; }
    // False, and nothing changes, when the folder cannot be opened.
    bool setPath(const QString& path);
    // The folder's files and, beside them, files that lie elsewhere (a game's
    // archives): each name listed once, compared without regard to case, in
    // the folder's spelling when it has the file, else in the first spelling
    // of `elsewhere`. False, and nothing changes, only when the folder cannot
    // be opened and nothing lies elsewhere.
    bool setPath(const QString& path, const QStringList& elsewhere);

    QString pattern() const { return pattern_; }
    void setPattern(const QString& pattern);

    // The chosen file's name without its folder; empty when none is chosen.
    QString fileName() const;

    // With a source, a file shows its tip when the mouse rests on it or the
    // keyboard moves onto it, in place of the items' own tool tips.
    void setTipSource(PictureTipSource source);

signals:
    // The user chose a file, or clicked the chosen one again.
    void fileClicked();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    void refill();
    void showTipAtCursor(const QModelIndex& entry, const QPoint& cursor);
    void showTipBesideRow(const QModelIndex& entry);
    void showTip(const QModelIndex& entry, const QPoint& at, const QRect& spared);
    void hideTip();

    QString path_;
    QStringList elsewhere_;
    QString pattern_ = QStringLiteral("*.*");
    PictureTipSource tipSource_;
    PictureTipWindow* tip_ = nullptr;
    QPersistentModelIndex tipEntry_;
    QPersistentModelIndex reclicked_;
};

} // namespace ui
