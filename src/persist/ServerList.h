#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace persist {

// The server list's entries in file order, each a 15-character server entry.
// A comma or a line end ends an entry and a blank line is an empty one.
// Nothing when the bytes are empty: the list must hold at least one entry.
std::optional<QStringList> readServerList(const QByteArray& bytes);

// One line of the list: the server text unchanged and unquoted, then CR LF.
// Nothing when the text holds a character the file's encoding cannot.
std::optional<QByteArray> writeServerLine(const QString& server);

// What a repaired server list holds.
QByteArray defaultServerList();

} // namespace persist
