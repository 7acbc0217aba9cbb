#pragma once

#include "status/StatusBoard.h"

#include <QObject>
#include <QPoint>

namespace ui {
class SortedComboBox;
class ServerStatusDelegate;
} // namespace ui

namespace app {

// Shows in the server box what each server says of itself: in its drop-down
// beside every entry, and as the box's tooltip for the server in it. Servers
// are asked when the list drops down, the rows in view first, and when the
// tooltip is wanted; the box's texts, and so what the game is given, are
// never touched.
class ServerBoxStatus : public QObject {
    Q_OBJECT

public:
    explicit ServerBoxStatus(ui::SortedComboBox& box, status::StatusBoard::Limits limits = {});

    const status::StatusBoard& board() const { return board_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitListWidth();
    void listShown();
    void askRowsInView();
    void askRowsOutOfView();
    void reportChanged(const QString& entryText);
    void showTip();
    QStringList entriesInView() const;

    ui::SortedComboBox& box_;
    status::StatusBoard board_;
    ui::ServerStatusDelegate* delegate_ = nullptr;
    QPoint tipAt_;
    bool tipShown_ = false;
    bool listOpen_ = false;
    int nextRowOutOfView_ = 0;
    bool widthStale_ = true;
};

} // namespace app
