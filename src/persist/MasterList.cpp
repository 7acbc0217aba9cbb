#include "MasterList.h"

#include "platform/TextCodec.h"

namespace persist {

QStringList defaultMasters()
{
    return {QStringLiteral("directory.ioquake3.org"), QStringLiteral("dpmaster.deathmask.net"),
            QStringLiteral("master.quake3arena.com"), QStringLiteral("master.maverickservers.com")};
}

QStringList readMasterList(const QByteArray& bytes)
{
    QByteArray text = bytes;
    const platform::FileEncoding encoding = platform::takeByteOrderMark(text);
    QStringList masters;
    for (const QByteArray& line : text.split('\n')) {
        const QString master = platform::decodeText(line, encoding).trimmed();
        if (!master.isEmpty())
            masters.append(master);
    }
    return masters;
}

std::optional<QByteArray> writeMasterList(const QStringList& masters)
{
    QByteArray bytes;
    for (const QString& master : masters) {
        const auto line = platform::encodeText(master);
        if (!line)
            return std::nullopt;
        bytes += *line + "\r\n";
    }
    return bytes;
}

} // namespace persist
