#include "Pictures.h"

namespace ui {

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
    // read from PNG: Qt reads that without an image plugin. Added as pictures
    // rather than files, Qt does not look for an icon plugin either.
    QIcon icon;
    icon.addPixmap(QPixmap(QStringLiteral(":/pictures/vortline.png")));
    icon.addPixmap(QPixmap(QStringLiteral(":/pictures/vortline@2x.png")));
    return icon;
}

} // namespace ui
