#pragma once

#include <QRect>

namespace ui {

// The window's design is measured in twips; at 96 dots per inch fifteen of
// them make one pixel.
constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel, halves away from zero.
constexpr int pixels(int twips)
{
    const int half = kTwipsPerPixel;
    return twips >= 0 ? (twips * 2 + half) / (2 * kTwipsPerPixel)
                      : -((-twips * 2 + half) / (2 * kTwipsPerPixel));
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

} // namespace ui
