#include "DesignLook.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <algorithm>

namespace ui {

QFont designFont(DesignFont font, bool underline)
{
    QFont result;
    switch (font) {
    case DesignFont::System:
        // Qt draws no raster fonts; Arial's metrics keep the bold captions
        // within the widths they were designed for.
        result.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                            QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans Condensed")});
        result.setPointSizeF(9.75);
        result.setBold(true);
        break;
    case DesignFont::MsSansSerif:
        result.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                            QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica"),
                            QStringLiteral("DejaVu Sans Condensed")});
        result.setPointSizeF(8.25);
        break;
    case DesignFont::Arial:
        result.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                            QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans Condensed")});
        result.setPointSizeF(8.25);
        break;
    }
    result.setStyleHint(QFont::SansSerif);
    result.setUnderline(underline);
    return result;
}

void setColours(QWidget* widget, QColor back, QColor fore)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, fore);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTransparent(QWidget* widget, QColor fore)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, fore);
    widget->setPalette(palette);
    widget->setAutoFillBackground(false);
}

void setDefaultColours(QWidget* widget)
{
    const QPalette system = QApplication::palette();
    setColours(widget, system.color(QPalette::Button), system.color(QPalette::ButtonText));
}

void setFieldColour(QWidget* widget, QColor back)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, back);
    // A closed list that cannot be typed into draws its face as a button.
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && !combo->isEditable())
        palette.setColor(QPalette::Button, back);
    widget->setPalette(palette);
}

void fitTextToWidth(QLabel* label)
{
    QFont font = label->font();
    const qreal excess =
        QFontMetricsF(font).horizontalAdvance(label->text()) - label->contentsRect().width();
    const auto gaps = label->text().size() - 1;
    if (excess <= 0 || gaps <= 0)
        return;
    // More than a pixel between each pair of letters would look broken.
    font.setLetterSpacing(QFont::AbsoluteSpacing, -std::min<qreal>(1.0, excess / gaps));
    label->setFont(font);
}

} // namespace ui
