#include "Messages.h"

#include "persist/FileNames.h"
#include "platform/PathText.h"

namespace app {
namespace {

constexpr QLatin1String kParagraph("\r\r");

QString repairMessage(const QString& code, const QString& file)
{
    return code + kParagraph + file + kParagraph +
           QStringLiteral("SelfFixing Activated... Please restart Vortline.exe") + kParagraph +
           QStringLiteral("Reason: Maybe Your run this Programm for the first time in this "
                          "directory, after you click OK the programm will FIX the error. The "
                          "Only thing you have do is to start the programm again.");
}

} // namespace

QString settingsRepairMessage()
{
    return repairMessage(QStringLiteral("ERROR 001"), QStringLiteral("Vortline.cfg Not found..."));
}

QString serverListRepairMessage()
{
    return repairMessage(QStringLiteral("ERROR 002"), QStringLiteral("Servers.VTL Not found..."));
}

QString mapFolderNotFoundMessage(const QString& gameDirectory)
{
    return QStringLiteral("ERROR") + kParagraph + QStringLiteral("INIT FAIL Directory ") +
           gameDirectory + platform::nativePathText(QStringLiteral("\\baseq3\\maps   NOT FOUND"));
}

QString repairNotWrittenMessage(const QString& fileName)
{
    return QStringLiteral("%1 could not be written in this directory.").arg(fileName) + kParagraph +
           QStringLiteral("Make sure Vortline is started in a directory it may write to.");
}

QString settingsNotSavedMessage()
{
    return QStringLiteral("The settings could not be saved to %1.")
               .arg(QLatin1String(persist::kSettingsFileName)) +
           kParagraph + QStringLiteral("The previously saved settings are unchanged.");
}

QString serverNotAddedMessage()
{
    return QStringLiteral("The server could not be added to %1.")
        .arg(QLatin1String(persist::kServerListName));
}

QString settingsTextNotHeldMessage()
{
    return QStringLiteral("The settings could not be saved: a text holds characters that %1 "
                          "cannot hold in this system's code page.")
               .arg(QLatin1String(persist::kSettingsFileName)) +
           kParagraph + QStringLiteral("The previously saved settings are unchanged.");
}

QString serverTextNotHeldMessage()
{
    return QStringLiteral("The server could not be added: %1 cannot hold its characters in this "
                          "system's code page.")
        .arg(QLatin1String(persist::kServerListName));
}

QString programNotStartedMessage(const QString& commandLine, const QString& reason)
{
    const QString message = QStringLiteral("This could not be started:") + kParagraph + commandLine;
    // The system's own words tell a missing file from one that is no program.
    return reason.isEmpty() ? message : message + kParagraph + QStringLiteral("Reason: ") + reason;
}

QString systemInfoUnavailableMessage()
{
    return QStringLiteral("System Information Is Unavailable At This Time");
}

QString driveNotReadMessage(const QString& drive)
{
    return QStringLiteral("The drive %1 cannot be read.").arg(drive) + kParagraph +
           QStringLiteral("The lists stay on the drive they showed before.");
}

QString findServersUnavailableMessage()
{
    return QStringLiteral("Servers cannot be found: the launcher's network module is missing "
                          "or damaged. Reinstalling the launcher brings it back.");
}

} // namespace app
