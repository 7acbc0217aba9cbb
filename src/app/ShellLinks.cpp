#include "ShellLinks.h"

#include "Messages.h"
#include "ProgramIdentity.h"

namespace app {

QString mailCommandLine()
{
    return QStringLiteral("explorer.exe mailto:") + QLatin1String(identity::kAuthorEmail);
}

QString webCommandLine()
{
    return QStringLiteral("explorer.exe ") + QLatin1String(identity::kAuthorWebAddress);
}

void runShellCommand(platform::Platform& platform, const QString& commandLine,
                     platform::WindowStyle style)
{
    const platform::StartResult started = platform.runCommandLine(commandLine, style);
    if (!started)
        platform.showMessage(programNotStartedMessage(commandLine, started.reason),
                             platform::MessageIcon::Critical);
}

} // namespace app
