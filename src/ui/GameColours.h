#pragma once

#include "status/ColouredText.h"

#include <QColor>
#include <QString>

class QPainter;
class QRect;

namespace ui {

// The eight colours the game draws names in, each readable on the backdrop;
// the default is white.
QColor gameColour(int colourIndex);
// A backdrop as dark as the game's, for the names to be read in its colours.
QColor gameBackdrop();

// Draws a name's coloured runs from the left of `rect` on the game's
// backdrop, eliding what does not fit.
void drawGameName(QPainter& painter, const QRect& rect,
                  const std::vector<status::ColouredRun>& runs);

// The name as rich text, its runs in the game's colours.
QString gameNameHtml(const std::vector<status::ColouredRun>& runs);

} // namespace ui
