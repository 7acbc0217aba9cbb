#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <optional>
#include <variant>

namespace persist {

using RecordField = std::variant<QString, int>;

// One record line: texts in double quotes and unchanged (no escaping), numbers
// in decimal, a comma between fields and CR LF after the last. Nothing when a
// text holds a character the file's encoding cannot.
std::optional<QByteArray> writeRecord(std::initializer_list<RecordField> fields);

} // namespace persist
