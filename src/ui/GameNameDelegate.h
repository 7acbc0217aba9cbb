#pragma once

#include <QStyledItemDelegate>

namespace ui {

// Draws a server's name in the game's colours where the row gives one under
// `colouredNameRole`, and any other cell as the list would.
class GameNameDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    GameNameDelegate(int colouredNameRole, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int colouredNameRole_;
};

} // namespace ui
