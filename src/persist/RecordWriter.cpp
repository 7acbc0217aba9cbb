#include "RecordWriter.h"

#include "platform/TextCodec.h"

#include <utility>

namespace persist {

QByteArray writeRecord(std::initializer_list<RecordField> fields)
{
    QByteArray line;
    bool first = true;
    for (const RecordField& field : fields) {
        if (!std::exchange(first, false))
            line.append(',');
        if (const auto* text = std::get_if<QString>(&field))
            line.append('"').append(platform::encodeText(*text)).append('"');
        else
            line.append(QByteArray::number(std::get<int>(field)));
    }
    return line.append("\r\n");
}

} // namespace persist
