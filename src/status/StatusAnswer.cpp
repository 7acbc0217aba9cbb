#include "StatusAnswer.h"

#include <QRandomGenerator>

#include <charconv>
#include <system_error>

namespace status {
namespace {

// Out-of-band datagrams start with four 0xFF bytes, then the command's line.
constexpr QByteArrayView kQuery("\xFF\xFF\xFF\xFFgetstatus ");
constexpr QByteArrayView kAnswerHeader("\xFF\xFF\xFF\xFFstatusResponse\n");
constexpr QByteArrayView kInfoQuery("\xFF\xFF\xFF\xFFgetinfo ");
constexpr QByteArrayView kInfoHeader("\xFF\xFF\xFF\xFFinfoResponse\n");

using Info = std::vector<std::pair<QByteArray, QByteArray>>;

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The game folds only ASCII letters: "É" and "é" are different keys to it.
bool equalIgnoringAsciiCase(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

// A decimal number as "%i" prints it: digits with an optional minus, no blank
// or plus, and within int, as the server's number was an int.
std::optional<int> readNumber(QByteArrayView text, bool mayBeNegative)
{
    if (!mayBeNegative && text.startsWith('-'))
        return std::nullopt;
    const char* const end = text.data() + text.size();
    int number = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

// "\key\value\key\value": every key has a value, which may be empty (servers
// of some mods send them so), but no key is empty, as the game reads an empty
// key as the end of the settings.
std::optional<Info> readInfo(QByteArrayView line)
{
    if (!line.startsWith('\\'))
        return std::nullopt;
    Info info;
    qsizetype at = 1;
    while (true) {
        const qsizetype keyEnd = line.indexOf('\\', at);
        if (keyEnd <= at)
            return std::nullopt;
        const qsizetype valueEnd = line.indexOf('\\', keyEnd + 1);
        const qsizetype end = valueEnd < 0 ? line.size() : valueEnd;
        info.emplace_back(line.sliced(at, keyEnd - at).toByteArray(),
                          line.sliced(keyEnd + 1, end - keyEnd - 1).toByteArray());
        if (valueEnd < 0)
            return info;
        at = valueEnd + 1;
    }
}

// SCORE PING "NAME", as the server prints "%i %i \"%s\"".
std::optional<Player> readPlayer(QByteArrayView line)
{
    const qsizetype scoreEnd = line.indexOf(' ');
    if (scoreEnd < 0)
        return std::nullopt;
    const qsizetype pingEnd = line.indexOf(' ', scoreEnd + 1);
    if (pingEnd < 0)
        return std::nullopt;
    const auto score = readNumber(line.first(scoreEnd), true);
    const auto ping = readNumber(line.sliced(scoreEnd + 1, pingEnd - scoreEnd - 1), false);
    const QByteArrayView quoted = line.sliced(pingEnd + 1);
    if (!score || !ping || quoted.size() < 2 || !quoted.startsWith('"') || !quoted.endsWith('"'))
        return std::nullopt;
    const QByteArrayView name = quoted.sliced(1, quoted.size() - 2);
    if (name.contains('"'))
        return std::nullopt;
    return Player{*score, *ping, name.toByteArray()};
}

} // namespace

QByteArray ServerStatus::value(QByteArrayView key) const
{
    // The first of a key sent twice, as the game's own lookup finds it.
    for (const auto& [name, setting] : info)
        if (equalIgnoringAsciiCase(name, key))
            return setting;
    return {};
}

int ServerStatus::maxClients() const
{
    const auto count = readNumber(value("sv_maxclients"), false);
    return count.value_or(0);
}

QByteArray ServerStatus::take(QByteArrayView key)
{
    const QByteArray first = value(key);
    std::erase_if(info,
                  [&](const auto& setting) { return equalIgnoringAsciiCase(setting.first, key); });
    return first;
}

QByteArray statusQuery(QByteArrayView challenge)
{
    return kQuery.toByteArray() + challenge.toByteArray() + '\n';
}

std::optional<ServerStatus> parseStatusAnswer(QByteArrayView datagram)
{
    // The server writes its answer as a C string: a NUL is never part of it.
    if (datagram.size() > kLargestAnswer || !datagram.startsWith(kAnswerHeader) ||
        datagram.contains('\0'))
        return std::nullopt;
    const QByteArrayView lines = datagram.sliced(kAnswerHeader.size());
    // Every line ends in a line end, the last one too; an answer cut short
    // anywhere does not. Without players the settings' line is the last.
    if (!lines.endsWith('\n'))
        return std::nullopt;

    const qsizetype infoEnd = lines.indexOf('\n');
    auto info = readInfo(lines.first(infoEnd));
    if (!info)
        return std::nullopt;
    ServerStatus status{std::move(*info), {}};
    for (qsizetype at = infoEnd + 1; at < lines.size();) {
        const qsizetype end = lines.indexOf('\n', at);
        auto player = readPlayer(lines.sliced(at, end - at));
        if (!player)
            return std::nullopt;
        status.players.push_back(std::move(*player));
        at = end + 1;
    }
    return status;
}

QByteArray newChallenge()
{
    return QByteArray::number(QRandomGenerator::system()->generate64(), 16);
}

QByteArray infoQuery(QByteArrayView challenge)
{
    // No line end: the game's own browser sends none, and every server takes it so.
    return kInfoQuery.toByteArray() + challenge.toByteArray();
}

std::optional<ServerStatus> parseInfoAnswer(QByteArrayView datagram)
{
    if (datagram.size() > kLargestAnswer || !datagram.startsWith(kInfoHeader) ||
        datagram.contains('\0'))
        return std::nullopt;
    QByteArrayView line = datagram.sliced(kInfoHeader.size());
    // The game sends the settings without a line end; some servers add one.
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.contains('\n'))
        return std::nullopt;
    auto info = readInfo(line);
    if (!info)
        return std::nullopt;
    return ServerStatus{std::move(*info), {}};
}

} // namespace status
