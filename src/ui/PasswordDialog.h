#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace ui {

// Asks for the password of a server that needs one; nothing when the player
// cancels. A quote or a control character, which would end the game's
// command early, cannot be typed.
std::optional<QString> askServerPassword(QWidget* parent, const QString& serverName);

} // namespace ui
