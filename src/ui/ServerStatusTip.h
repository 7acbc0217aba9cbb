#pragma once

#include "status/ServerReport.h"

#include <QString>

namespace ui {

// The server box's tooltip: what the server of `entryText` said, its players
// with their names in the game's colours, score and ping; empty when there
// is nothing to say (the text names no server).
QString serverStatusTip(const QString& entryText, const status::ServerReport& report);

} // namespace ui
