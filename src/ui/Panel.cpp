#include "Panel.h"

#include "Twips.h"

#include <cmath>

namespace ui {
namespace {

int nearestPixel(float twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

} // namespace

void Panel::setTwipsGeometry(float left, float top, int width, int height)
{
    resize(pixels(width), pixels(height));
    left_ = left;
    top_ = top;
    moveToTwips();
}

void Panel::setLeft(float twips)
{
    left_ = twips;
    moveToTwips();
}

void Panel::setTop(float twips)
{
    top_ = twips;
    moveToTwips();
}

void Panel::moveToTwips()
{
    move(nearestPixel(left_), nearestPixel(top_));
}

} // namespace ui
