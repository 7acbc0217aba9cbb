#pragma once

#include "platform/Platform.h"

#include <QString>

namespace app {

// The shell commands behind the author's links: the shell opens a new
// e-mail, or the web page, with whatever program the user has for it.
QString mailCommandLine();
QString webCommandLine();

// Starts a link's command line; one that cannot be started is reported, and
// the launcher goes on.
void runShellCommand(platform::Platform& platform, const QString& commandLine,
                     platform::WindowStyle style);

} // namespace app
