#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <variant>

namespace persist {

using RecordField = std::variant<QString, int>;

// One record line: texts in double quotes and unchanged (no escaping), numbers
// in decimal, a comma between fields and CR LF after the last.
QByteArray writeRecord(std::initializer_list<RecordField> fields);

} // namespace persist
