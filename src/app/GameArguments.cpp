#include "GameArguments.h"

#include <algorithm>

namespace app {
namespace {

constexpr int kChecked = 1;
constexpr int kUnchecked = 0;
constexpr qsizetype kExtensionLength = 4; // ".bsp" or ".map"

QString piece(const QString& command)
{
    return command + QLatin1Char(' ');
}

// One word to the game's console: quoted when the game would otherwise end
// it early (a blank), start another command (";", "+") or a comment ("//").
// A quote or a line end cannot stand inside one and is left out.
QString consoleWord(QString word)
{
    word.removeIf([](QChar c) { return c == QLatin1Char('"') || c.unicode() < 0x20; });
    const bool plain = !word.isEmpty() && std::none_of(word.begin(), word.end(), [](QChar c) {
        return c.isSpace() || c == QLatin1Char(';') || c == QLatin1Char('+') ||
               c == QLatin1Char('/');
    });
    return plain ? word : QLatin1Char('"') + word + QLatin1Char('"');
}

} // namespace

QString buildGameArguments(const LaunchOptions& options)
{
    QString arguments = piece(QStringLiteral("+name ") + options.playerName);
    if (options.cheats == kChecked)
        arguments += piece(QStringLiteral("+set cheats 1"));
    if (options.dedicated == kChecked)
        arguments += piece(QStringLiteral("+set dedicated 1"));
    if (options.connect == kChecked && !options.server.isEmpty()) {
        if (!options.serverMod.isEmpty())
            arguments += piece(QStringLiteral("+set fs_game ") + options.serverMod);
        if (!options.serverPassword.isEmpty())
            arguments +=
                piece(QStringLiteral("+set password ") + consoleWord(options.serverPassword));
        arguments += piece(QStringLiteral("+connect ") + options.server);
    }
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
