#pragma once

#include "DesktopPlatform.h"

namespace platform {

// Hands command lines to CreateProcess unchanged, with the asked window style.
class WindowsPlatform final : public DesktopPlatform {
public:
    bool runCommandLine(const QString& commandLine, WindowStyle style) override;
    bool runProgram(const QString& program, const QString& arguments, WindowStyle style) override;
    std::optional<RegistryValue> readRegistryValue(std::uint32_t root, const QString& keyName,
                                                   const QString& valueName) override;
};

} // namespace platform
