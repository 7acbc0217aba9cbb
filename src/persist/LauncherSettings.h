#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace persist {

// The eight values of the settings file, in file order.
struct LauncherSettings {
    QString gameDirectory;
    QString playerName;
    QString playerModel;
    QString server;
    QString mapFile; // saved, but never read back
    int cheats = 0;
    int dedicated = 0;
    int connect = 0;

    bool operator==(const LauncherSettings&) const = default;
};

// What a repaired settings file holds: no game directory chosen yet.
LauncherSettings defaultSettings();

// Nothing when a text holds a character the file's encoding cannot.
std::optional<QByteArray> writeSettingsRecord(const LauncherSettings& settings);

// The record as loading restores it: the server padded to a server entry,
// the map left empty. Nothing when the record is short or a check
// value is refused; whatever follows the eighth field is ignored.
std::optional<LauncherSettings> readSettingsRecord(const QByteArray& bytes);

} // namespace persist
