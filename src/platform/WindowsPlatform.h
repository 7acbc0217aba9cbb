#pragma once

#include "DesktopPlatform.h"

namespace platform {

// Qt's side of the Windows calls: whole command lines go to Windows as given,
// a program's path is quoted so no other program with a shorter name can start.
class WindowsPlatform final : public DesktopPlatform {
public:
    StartResult runCommandLine(const QString& commandLine, WindowStyle style) override;
    StartResult runProgram(const QString& program, const QString& arguments,
                           WindowStyle style) override;
    std::optional<RegistryValue> readRegistryValue(std::uint32_t root, const QString& keyName,
                                                   const QString& valueName) override;
};

} // namespace platform
