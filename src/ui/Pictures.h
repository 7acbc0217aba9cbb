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

} // namespace ui
