#pragma once

#include <QString>
#include <QStringList>

namespace app {

// The names the game's program goes by, the one it is preferred under first:
// "quake3.exe", and on Linux also the names of the engines built for it.
QStringList gameProgramNames();

// Whether a file of this name, in any letter case, is the game's program.
bool isGameProgram(const QString& fileName);

// The file name of the game's program to start in a game directory: the
// first of gameProgramNames() found there, in its spelling there; when none
// is, "quake3.exe", so a failed start names what was looked for.
QString gameProgramIn(const QString& gameDirectory);

} // namespace app
