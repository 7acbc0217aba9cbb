#pragma once

#include "DesktopPlatform.h"

namespace platform {

// Starts programs without a shell: a command line is split into words as a
// Windows program would split it, so no text in it can run anything else.
class PosixPlatform final : public DesktopPlatform {
public:
    StartResult runCommandLine(const QString& commandLine, WindowStyle style) override;
    StartResult runProgram(const QString& program, const QString& arguments,
                           WindowStyle style) override;
    // The engines keep what a player downloads in ~/.q3a/baseq3.
    QString playerGameFolder() override;
    // There is no registry here: nothing is ever found.
    std::optional<RegistryValue> readRegistryValue(std::uint32_t, const QString&,
                                                   const QString&) override
    {
        return std::nullopt;
    }
};

} // namespace platform
