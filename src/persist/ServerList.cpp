#include "ServerList.h"

#include "FieldReader.h"
#include "ServerEntry.h"
#include "platform/TextCodec.h"

namespace persist {

std::optional<QStringList> readServerList(const QByteArray& bytes)
{
    FieldReader reader(bytes);
    QStringList entries;
    // One entry to a line, as the launcher writes them; reserved at once, a
    // list of many thousand is not copied over and over as it grows.
    entries.reserve(bytes.count('\n') + 1);
    do {
        const auto field = reader.nextView();
        if (!field)
            return std::nullopt;
        entries.append(serverEntry(platform::decodeText(*field)));
    } while (!reader.atEnd());
    return entries;
}

QByteArray writeServerLine(const QString& server)
{
    return platform::encodeText(server).append("\r\n");
}

QByteArray defaultServerList()
{
    return writeServerLine(QStringLiteral("0.0.0.0"));
}

} // namespace persist
