#pragma once

#include <QString>

namespace app {

// The texts of the launcher's message boxes. A carriage return starts a new
// line in the box.
QString settingsRepairMessage();
QString serverListRepairMessage();
QString mapFolderNotFoundMessage(const QString& gameDirectory);
QString repairNotWrittenMessage(const QString& fileName);
QString settingsNotSavedMessage();
QString serverNotAddedMessage();
// A text with characters the files' encoding lacks is refused, not mangled.
QString settingsTextNotHeldMessage();
QString serverTextNotHeldMessage();
// The reason is the system's own text; an empty one adds nothing.
QString programNotStartedMessage(const QString& commandLine, const QString& reason);
QString systemInfoUnavailableMessage();
QString driveNotReadMessage(const QString& drive);
QString findServersUnavailableMessage();

} // namespace app
