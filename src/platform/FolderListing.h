#pragma once

#include <QStringList>

#include <functional>
#include <optional>

namespace platform {

// The names of the files directly in a folder, in no particular order: the
// files QDir lists with QDir::Files, that is regular files and links to them,
// hidden ones left out. Nothing when the folder cannot be read. Given
// `wanted`, only the names it accepts: the others are not kept even for a
// moment, which for thousands of them saves fresh memory.
std::optional<QStringList> fileNamesIn(const QString& folder,
                                       const std::function<bool(const QString&)>& wanted = {});

} // namespace platform
