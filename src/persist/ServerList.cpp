#include "ServerList.h"

#include "FieldReader.h"
#include "ServerEntry.h"
#include "platform/TextCodec.h"

namespace persist {

std::optional<QStringList> readServerList(const QByteArray& bytes)
{
    FieldReader reader(bytes);
    QStringList entries;
    do {
        const auto field = reader.next();
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
