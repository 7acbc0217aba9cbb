#pragma once

#include <QIcon>

namespace ui {

// A padlock, for a server that needs a password: drawn, as the fonts a
// desktop has need not hold one.
QIcon lockIcon();

} // namespace ui
