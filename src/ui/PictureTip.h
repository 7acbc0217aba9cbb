#pragma once

#include <QPixmap>
#include <QString>

#include <functional>

namespace ui {

// What a list shows in the tip of one of its entries: a picture, when there
// is one, above a text of one or more lines.
struct PictureTipContent {
    QPixmap picture;
    QString text;

    bool isEmpty() const { return picture.isNull() && text.isEmpty(); }
};

// Asked for the tip of an entry by its text, each time the tip is shown; an
// empty content shows no tip.
using PictureTipSource = std::function<PictureTipContent(const QString& entry)>;

} // namespace ui
