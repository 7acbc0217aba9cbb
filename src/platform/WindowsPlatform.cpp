#include "WindowsPlatform.h"

#include "WindowsProcess.h"
#include "WindowsRegistry.h"

namespace platform {
namespace {

StartResult startResult(unsigned long error, const QString& program)
{
    return error == 0 ? StartResult::success()
                      : StartResult::failure(QString::fromStdWString(
                            windows::errorText(error, program.toStdWString())));
}

} // namespace

StartResult WindowsPlatform::runCommandLine(const QString& commandLine, WindowStyle style)
{
    return startResult(
        windows::startCommandLine(commandLine.toStdWString(), static_cast<int>(style)),
        commandLine);
}

StartResult WindowsPlatform::runProgram(const QString& program, const QString& arguments,
                                        WindowStyle style)
{
    return startResult(
        windows::startCommandLine(
            windows::programCommandLine(program.toStdWString(), arguments.toStdWString()),
            static_cast<int>(style)),
        program);
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
