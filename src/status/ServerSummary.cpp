#include "ServerSummary.h"

#include <QStringDecoder>

namespace status {
namespace {

int numberOr(const QByteArray& text, int fallback)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && number >= 0 ? number : fallback;
}

// Settings are bytes; most servers send ASCII, some UTF-8, old ones Latin-1.
QString textOf(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// The base game's folders are no mod: a server that names one plays what
// every installation has.
bool isBaseGame(const QString& folder)
{
    return folder.compare(QLatin1String("baseq3"), Qt::CaseInsensitive) == 0 ||
           folder.compare(QLatin1String("baseoa"), Qt::CaseInsensitive) == 0;
}

} // namespace

ServerSummary summarize(const ServerStatus& answer)
{
    ServerSummary summary;
    summary.name = answer.value("hostname");
    if (summary.name.isEmpty())
        summary.name = answer.value("sv_hostname");
    summary.map = textOf(answer.value("mapname"));
    summary.maxPlayers = numberOr(answer.value("sv_maxclients"), 0);
    summary.gameType = numberOr(answer.value("gametype"), -1);
    if (summary.gameType < 0)
        summary.gameType = numberOr(answer.value("g_gametype"), -1);

    // An info answer counts everyone in "clients" and people alone in
    // "g_humanplayers"; a status answer lists them instead.
    const int clients =
        answer.players.empty() ? numberOr(answer.value("clients"), 0) : int(answer.players.size());
    const int humans = numberOr(answer.value("g_humanplayers"), -1);
    if (humans >= 0 && humans <= clients) {
        summary.players = humans;
        summary.bots = clients - humans;
    } else {
        summary.players = clients;
    }

    QByteArray mod = answer.value("game");
    if (mod.isEmpty())
        mod = answer.value("fs_game");
    summary.mod = textOf(mod);
    if (isBaseGame(summary.mod))
        summary.mod.clear();
    // Some mods add flags above the lowest bit; that bit is the password.
    summary.needsPassword = numberOr(answer.value("g_needpass"), 0) & 1;
    return summary;
}

QString gameTypeText(int gameType)
{
    switch (gameType) {
    case 0:
        return QStringLiteral("Free for all");
    case 1:
        return QStringLiteral("Tournament");
    case 2:
        return QStringLiteral("Single player");
    case 3:
        return QStringLiteral("Team deathmatch");
    case 4:
        return QStringLiteral("Capture the flag");
    default:
        return gameType < 0 ? QString() : QString::number(gameType);
    }
}

} // namespace status
