#pragma once

#include <QColor>
#include <QPalette>

namespace ui {

// The contrast people with low vision need for text (WCAG's level AA).
constexpr double kReadableContrast = 4.5;

// The contrast ratio of two colours by their relative luminance, 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);

// `colour` as it is when it reads on `background`, else moved toward black or
// white, whichever the background leaves more room for, just until it reads.
QColor readableOn(const QColor& colour, const QColor& background);

// Half way between the text and its background, then made readable: a grey
// that says "less important" and can still be read.
QColor quietOn(const QColor& text, const QColor& background);

// The palette with a highlight its selected text reads on: some styles' own
// highlight is too light for white text.
QPalette withReadableSelection(QPalette palette);

} // namespace ui
