#include "ServerList.h"

#include "FieldReader.h"
#include "ServerEntry.h"
#include "platform/TextCodec.h"

#include <utility>

namespace persist {

std::optional<QStringList> readServerList(const QByteArray& bytes)
{
    QByteArray text = bytes;
    const platform::FileEncoding encoding = platform::takeByteOrderMark(text);
    FieldReader reader(std::move(text));
    QStringList entries;
    // One entry to a line, as the launcher writes them; reserved at once, a
    // list of many thousand is not copied over and over as it grows.
    entries.reserve(bytes.count('\n') + 1);
    do {
        const auto field = reader.nextView();
        if (!field)
            return std::nullopt;
        entries.append(serverEntry(platform::decodeText(*field, encoding)));
    } while (!reader.atEnd());
    return entries;
}

std::optional<QByteArray> writeServerLine(const QString& server)
{
    auto line = platform::encodeText(server);
    if (line)
        line->append("\r\n");
    return line;
}

QByteArray defaultServerList()
{
    return QByteArrayLiteral("0.0.0.0\r\n");
}

} // namespace persist
