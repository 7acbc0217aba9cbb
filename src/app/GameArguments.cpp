#include "GameArguments.h"

namespace app {
namespace {

constexpr int kChecked = 1;
constexpr int kUnchecked = 0;
constexpr qsizetype kExtensionLength = 4; // ".bsp" or ".map"

QString piece(const QString& command)
{
    return command + QLatin1Char(' ');
}

} // namespace

QString buildGameArguments(const LaunchOptions& options)
{
    QString arguments = piece(QStringLiteral("+name ") + options.playerName);
    if (options.cheats == kChecked)
        arguments += piece(QStringLiteral("+set cheats 1"));
    if (options.dedicated == kChecked)
        arguments += piece(QStringLiteral("+set dedicated 1"));
    if (options.connect == kChecked && !options.server.isEmpty())
        arguments += piece(QStringLiteral("+connect ") + options.server);
    if (options.model != QLatin1String("Select Skin"))
        arguments += piece(QStringLiteral("+model ") + options.model);
    if (!options.mapFile.isEmpty()) {
        const qsizetype baseLength = qMax<qsizetype>(0, options.mapFile.size() - kExtensionLength);
        arguments += piece(QStringLiteral("+map ") + options.mapFile.left(baseLength));
    }
    if (options.advanced != kUnchecked) {
        if (options.fullscreen == kUnchecked)
            arguments += piece(QStringLiteral("+set r_fullscreen 0"));
        else if (options.fullscreen == kChecked)
            arguments += piece(QStringLiteral("+set r_fullscreen 1"));
        arguments += piece(options.rate22 ? QStringLiteral("+set s_khz 22")
                                          : QStringLiteral("+set s_khz 44"));
    }
    return arguments;
}

} // namespace app
