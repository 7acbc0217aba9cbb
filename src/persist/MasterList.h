#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace persist {

// The master servers asked when the file is missing, each "host" or
// "host:port".
QStringList defaultMasters();

// The masters of the file, one a line, blanks around them and blank lines
// left out. Empty bytes are an empty list: the player removed them all.
QStringList readMasterList(const QByteArray& bytes);

// Each master on a line of its own ending in CR LF; nothing when a text
// holds a character the file's encoding cannot.
std::optional<QByteArray> writeMasterList(const QStringList& masters);

} // namespace persist
