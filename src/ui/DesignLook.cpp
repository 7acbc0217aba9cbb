#include "DesignLook.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <array>

namespace ui {

namespace {

QStringList designFamilies(DesignFont font)
{
    // Qt draws no raster fonts, so "System" becomes Arial, whose metrics keep
    // the bold captions within the widths they were designed for.
    QStringList families{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                         QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans Condensed")};
    if (font == DesignFont::MsSansSerif)
        families.prepend(QStringLiteral("Microsoft Sans Serif"));
    return families;
}

// The first of the design's families this system has, or the last one for
// the system to substitute. Qt searches the system's fonts anew for every
// family it lacks, for every font, and asks for the system's fallbacks of a
// font given more than one family before it has met a character the first
// one lacks; at start-up that took longer than loading the fonts used. The
// installed fonts do not change while the program runs.
QString installedDesignFamily(DesignFont font)
{
    static const std::array<QString, 3> installed = [] {
        const QStringList available = QFontDatabase::families();
        std::array<QString, 3> chosen;
        for (const DesignFont each :
             {DesignFont::System, DesignFont::MsSansSerif, DesignFont::Arial}) {
            QStringList families = designFamilies(each);
            while (families.size() > 1 && !available.contains(families.first()))
                families.removeFirst();
            chosen[std::size_t(each)] = families.first();
        }
        return chosen;
    }();
    return installed[std::size_t(font)];
}

} // namespace

QFont designFont(DesignFont font, bool underline)
{
    QFont result;
    result.setFamilies({installedDesignFamily(font)});
    switch (font) {
    case DesignFont::System:
        result.setPointSizeF(9.75);
        result.setBold(true);
        break;
    case DesignFont::MsSansSerif:
    case DesignFont::Arial:
        result.setPointSizeF(8.25);
        break;
    }
    // Windows drew these captions letter by letter, without kerning. Shaping
    // Latin text would only add kerning, and loads each face's layout tables
    // at start-up; scripts that need shaping still get it.
    result.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    result.setKerning(false);
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
