#pragma once

#include <QColor>
#include <QFont>

class QLabel;
class QWidget;

namespace ui {

// The three fonts the windows were designed with, mapped to what the system
// has: a metric-compatible face where one exists, a plain sans serif else.
enum class DesignFont {
    System,      // "System" 9.75 pt bold: most labels and check boxes
    MsSansSerif, // "MS Sans Serif" 8.25 pt: every control without a font of its own
    Arial,       // "Arial" 8.25 pt
};
QFont designFont(DesignFont font, bool underline = false);

namespace colour {
inline constexpr QColor kBlack{0, 0, 0};
inline constexpr QColor kWhite{255, 255, 255};
inline constexpr QColor kGreen{0, 192, 0};
inline constexpr QColor kCyan{0, 255, 255};
inline constexpr QColor kDarkRed{192, 0, 0};
inline constexpr QColor kDarkBlue{0, 0, 192};
inline constexpr QColor kGrey{128, 128, 128};
inline constexpr QColor kLightGrey{224, 224, 224};
inline constexpr QColor kPaleGreen{192, 255, 192};
} // namespace colour

// Text in `fore`; the widget's own background filled with `back`.
void setColours(QWidget* widget, QColor back, QColor fore);
// Text in `fore` over whatever lies beneath the widget.
void setTransparent(QWidget* widget, QColor fore);
// The system's colours for a control left at its design defaults: button
// face behind button text, filled.
void setDefaultColours(QWidget* widget);
// A list or text box's background.
void setFieldColour(QWidget* widget, QColor back);

// Squeezes the letters of a one-line label whose text is a pixel or two too
// wide for it with the fallback font, rather than cutting off its last letter.
void fitTextToWidth(QLabel* label);

} // namespace ui
