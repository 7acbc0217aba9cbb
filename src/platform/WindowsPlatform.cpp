#include "WindowsPlatform.h"

#include "WindowsProcess.h"
#include "WindowsRegistry.h"

namespace platform {

bool WindowsPlatform::runCommandLine(const QString& commandLine, WindowStyle style)
{
    return windows::startCommandLine(commandLine.toStdWString(), static_cast<int>(style));
}

bool WindowsPlatform::runProgram(const QString& program, const QString& arguments,
                                 WindowStyle style)
{
    return windows::startCommandLine(
        windows::programCommandLine(program.toStdWString(), arguments.toStdWString()),
        static_cast<int>(style));
}

std::optional<RegistryValue> WindowsPlatform::readRegistryValue(std::uint32_t root,
                                                                const QString& keyName,
                                                                const QString& valueName)
{
    // The ANSI functions take and give the system's 8-bit code page.
    const auto value = windows::queryRegistryValue(root, keyName.toLocal8Bit().toStdString(),
                                                   valueName.toLocal8Bit().toStdString());
    if (!value)
        return std::nullopt;
    return RegistryValue{value->type, QByteArray::fromStdString(value->data)};
}

} // namespace platform
