#include "Pictures.h"

#include <QImageReader>
#include <QPainter>

namespace ui {
namespace {

QPixmap pngPicture(const QString& path)
{
    // Told only that a file is a PNG, Qt still loads every image plugin to
    // ask whether it reads PNG before it reads it itself.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

QPixmap backgroundPicture(qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1.0)
        return QPixmap(QStringLiteral(":/pictures/background.jpg"));
    QPixmap doubled(QStringLiteral(":/pictures/background@2x.jpg"));
    doubled.setDevicePixelRatio(2.0);
    return doubled;
}

QPixmap aboutPicture()
{
    // Shown much smaller than it is, so it is sharp at any scale.
    return QPixmap(QStringLiteral(":/pictures/about.jpg"));
}

QIcon programIcon()
{
    // The pixels of vortline.ico, which Windows takes for the program file,
    // read from PNG, which Qt reads without an image plugin. Added as pictures
    // rather than files, Qt does not look for an icon plugin either.
    QIcon icon;
    icon.addPixmap(pngPicture(QStringLiteral(":/pictures/vortline.png")));
    icon.addPixmap(pngPicture(QStringLiteral(":/pictures/vortline@2x.png")));
    return icon;
}

QIcon findIcon(const QColor& ink)
{
    QIcon icon;
    for (const int size : {10, 20}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal unit = size / 10.0;
        painter.setPen(QPen(ink, 1.4 * unit, Qt::SolidLine, Qt::RoundCap));
        painter.drawEllipse(QRectF(1 * unit, 1 * unit, 5.5 * unit, 5.5 * unit));
        painter.drawLine(QPointF(5.8 * unit, 5.8 * unit), QPointF(9 * unit, 9 * unit));
        icon.addPixmap(picture);
    }
    return icon;
}

} // namespace ui
