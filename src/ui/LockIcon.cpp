#include "LockIcon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace ui {

QIcon lockIcon()
{
    QIcon icon;
    const QColor ink = QGuiApplication::palette().color(QPalette::Text);
    for (const int size : {16, 32}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal unit = size / 16.0;
        // The shackle, then the body over its ends.
        painter.setPen(QPen(ink, 1.6 * unit));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(4.5 * unit, 1.5 * unit, 7 * unit, 9 * unit), 3.5 * unit,
                                3.5 * unit);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawRoundedRect(QRectF(2.5 * unit, 7 * unit, 11 * unit, 8 * unit), unit, unit);
        icon.addPixmap(picture);
    }
    return icon;
}

} // namespace ui
