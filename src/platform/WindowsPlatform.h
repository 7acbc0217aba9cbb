#pragma once

#include "DesktopPlatform.h"

namespace platform {

// Hands command lines to CreateProcess unchanged, with the asked window style.
class WindowsPlatform final : public DesktopPlatform {
public:
    bool runCommandLine(const QString& commandLine, WindowStyle style) override;
    bool runProgram(const QString& program, const QString& arguments, WindowStyle style) override;
};

} // namespace platform
