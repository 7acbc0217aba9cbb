#include "BackgroundPicture.h"

#include <QPaintEvent>
#include <QPainter>

namespace ui {

void BackgroundPicture::paintEvent(QPaintEvent* event)
{
    const QPixmap picture = pixmap();
    if (picture.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    // The controls that fill their own background are cut out of the region
    // to paint. Drawn into such a region in one go, the picture would be
    // filled line by line across a pool of threads, and the window's first
    // paint could wait on them for a scheduler tick; each rectangle of the
    // region on its own is a plain copy.
    const qreal ratio = picture.devicePixelRatio();
    const QRect shown = QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize());
    QPainter painter(this);
    for (const QRect& rect : event->region()) {
        const QRect part = rect & shown;
        if (part.isEmpty())
            continue;
        painter.setClipRect(part);
        painter.drawPixmap(part.topLeft(), picture,
                           QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio));
    }
}

} // namespace ui
