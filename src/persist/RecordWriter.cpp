#include "RecordWriter.h"

#include "platform/TextCodec.h"

#include <utility>

namespace persist {

std::optional<QByteArray> writeRecord(std::initializer_list<RecordField> fields)
{
    QByteArray line;
    bool first = true;
    for (const RecordField& field : fields) {
        if (!std::exchange(first, false))
            line.append(',');
        if (const auto* text = std::get_if<QString>(&field)) {
            const auto bytes = platform::encodeText(*text);
            if (!bytes)
                return std::nullopt;
            line.append('"').append(*bytes).append('"');
        } else
            line.append(QByteArray::number(std::get<int>(field)));
    }
    return line.append("\r\n");
}

} // namespace persist
