#pragma once

#include <QIcon>
#include <QPixmap>

namespace ui {

// The pictures the windows were designed with. Each is drawn at its design
// size in device-independent pixels; on a screen scaled to 200 % the
// twice-as-large version is used, so nothing turns blurred.
QPixmap backgroundPicture(qreal devicePixelRatio);
QPixmap aboutPicture();
QIcon programIcon();
// A magnifying glass in the button text's colour, for a button too narrow for a word.
QIcon findIcon(const QColor& ink);

} // namespace ui
