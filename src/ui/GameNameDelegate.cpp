#include "GameNameDelegate.h"

#include "GameColours.h"

#include <QApplication>
#include <QPainter>

namespace ui {

GameNameDelegate::GameNameDelegate(int colouredNameRole, QObject* parent)
    : QStyledItemDelegate(parent)
    , colouredNameRole_(colouredNameRole)
{
}

void GameNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    const QVariant name = index.data(colouredNameRole_);
    if (!name.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The row's own background and focus first, without its text.
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    row.text.clear();
    const QStyle* style = row.widget ? row.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &row, painter, row.widget);
    painter->save();
    painter->setFont(option.font);
    drawGameName(*painter, option.rect, status::colouredRuns(name.toByteArray()));
    painter->restore();
}

} // namespace ui
