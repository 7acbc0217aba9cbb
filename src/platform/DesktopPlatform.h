#pragma once

#include "Platform.h"
#include "WorkingDirectoryFiles.h"

namespace platform {

// What every real platform does alike through Qt: message boxes, ending the
// program and the working directory's files. Starting programs differs by
// system and is left to the subclasses.
class DesktopPlatform : public Platform {
public:
    void showMessage(const QString& text, MessageIcon icon) override;
    [[noreturn]] void endProgram() override;
    std::optional<QByteArray> readFile(const QString& name) override;
    bool writeFile(const QString& name, const QByteArray& bytes) override;
    bool appendFile(const QString& name, const QByteArray& bytes) override;
    bool fileExists(const QString& name) override;
    // Windows engines keep downloads beside the game: nothing to look at.
    QString playerGameFolder() override { return {}; }

private:
    WorkingDirectoryFiles files_;
};

} // namespace platform
