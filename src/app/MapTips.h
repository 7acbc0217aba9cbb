#pragma once

#include "ArenaScripts.h"
#include "GameContent.h"
#include "ui/PictureTip.h"

#include <QHash>
#include <QImage>
#include <QString>

#include <optional>

namespace app {

// The tips of the map list: a map's levelshot above its long name and game
// types. The arena scripts come read with the archives' listing; each
// picture is read when first asked for and then kept, so a start-up reads no
// picture and a tip shown twice is read once.
class MapTips {
public:
    // The tips of a game whose levelshots lie in `levelshotsFolder` and in the
    // archives of `content`; those of the game before are forgotten.
    void reset(GameContent content, QString levelshotsFolder);

    ui::PictureTipContent tipFor(const QString& mapFile);

    // The map's levelshot at the size the tip shows; null when it has none
    // that can be read.
    QImage levelshot(const QString& mapName) const;

private:
    std::optional<QByteArray> levelshotBytes(const QString& fileName) const;

    GameContent content_;
    QString levelshotsFolder_;
    QHash<QString, ui::PictureTipContent> tips_;
};

} // namespace app
