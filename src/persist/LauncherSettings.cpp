#include "LauncherSettings.h"

#include "FieldReader.h"
#include "RecordWriter.h"
#include "ServerEntry.h"
#include "platform/TextCodec.h"

#include <array>
#include <utility>

namespace persist {

LauncherSettings defaultSettings()
{
    return {QStringLiteral("NOTSET"),
            QStringLiteral("Name"),
            QStringLiteral("Select Skin"),
            QStringLiteral(" "),
            QStringLiteral(" "),
            0,
            0,
            0};
}

std::optional<QByteArray> writeSettingsRecord(const LauncherSettings& settings)
{
    return writeRecord({settings.gameDirectory, settings.playerName, settings.playerModel,
                        settings.server, settings.mapFile, settings.cheats, settings.dedicated,
                        settings.connect});
}

std::optional<LauncherSettings> readSettingsRecord(const QByteArray& bytes)
{
    QByteArray text = bytes;
    const platform::FileEncoding encoding = platform::takeByteOrderMark(text);
    FieldReader reader(std::move(text));
    std::array<QByteArray, 8> fields;
    for (QByteArray& field : fields) {
        const auto read = reader.next();
        if (!read)
            return std::nullopt;
        field = *read;
    }
    const auto cheats = readCheckValue(fields[5]);
    const auto dedicated = readCheckValue(fields[6]);
    const auto connect = readCheckValue(fields[7]);
    if (!cheats || !dedicated || !connect)
        return std::nullopt;

    const auto decode = [encoding](const QByteArray& field) {
        return platform::decodeText(field, encoding);
    };
    return LauncherSettings{
        decode(fields[0]), decode(fields[1]), decode(fields[2]), serverEntry(decode(fields[3])),
        QString(),         *cheats,           *dedicated,        *connect};
}

} // namespace persist
