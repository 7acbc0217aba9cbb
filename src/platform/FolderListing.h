#pragma once

#include <QStringList>

#include <optional>

namespace platform {

// The names of the files directly in a folder, in no particular order: the
// files QDir lists with QDir::Files, that is regular files and links to them,
// hidden ones left out. Nothing when the folder cannot be read.
std::optional<QStringList> fileNamesIn(const QString& folder);

} // namespace platform
