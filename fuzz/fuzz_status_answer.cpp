// Any bytes as a server's status answer, and as its info answer, whose
// summary keeps to what a row can show. What is read holds only what the
// format can carry, and written again as the server writes it, it reads back
// the same. Any bytes as a coloured name: the runs draw its plain text, each
// run in a colour of its own.
#include "FuzzCheck.h"
#include "status/ColouredText.h"
#include "status/ServerSummary.h"
#include "status/StatusAnswer.h"

#include <cstddef>
#include <cstdint>

namespace {

const QByteArray kHeader("\xFF\xFF\xFF\xFFstatusResponse\n");

// The server's writing: Info_SetValueForKey's "\key\value" pairs on one line,
// then "%i %i \"%s\"\n" for each player.
QByteArray written(const status::ServerStatus& status)
{
    QByteArray bytes = kHeader;
    for (const auto& [key, value] : status.info)
        bytes += '\\' + key + '\\' + value;
    bytes += '\n';
    for (const status::Player& player : status.players)
        bytes += QByteArray::number(player.score) + ' ' + QByteArray::number(player.ping) + " \"" +
                 player.name + "\"\n";
    return bytes;
}

bool holdsNone(const QByteArray& text, QByteArrayView characters)
{
    for (const char c : characters)
        if (text.contains(c))
            return false;
    return true;
}

void checkColours(QByteArrayView name)
{
    const auto runs = status::colouredRuns(name);
    QString drawn;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        FUZZ_CHECK(!runs[i].text.isEmpty());
        FUZZ_CHECK(runs[i].colour >= 0 ? runs[i].colour <= 7 : runs[i].colour == -1 && i == 0);
        FUZZ_CHECK(i == 0 || runs[i].colour != runs[i - 1].colour);
        drawn += runs[i].text;
    }
    FUZZ_CHECK(drawn == status::plainText(name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkColours(bytes);

    if (const auto info = status::parseInfoAnswer(bytes)) {
        FUZZ_CHECK(info->players.empty() && !info->info.empty());
        const status::ServerSummary summary = status::summarize(*info);
        FUZZ_CHECK(summary.players >= 0 && summary.maxPlayers >= 0 && summary.bots >= -1);
        FUZZ_CHECK(summary.gameType >= -1);
        checkColours(summary.name);
    }

    const auto read = status::parseStatusAnswer(bytes);
    if (!read)
        return 0;
    FUZZ_CHECK(bytes.startsWith(kHeader) && bytes.size() <= status::kLargestAnswer);
    FUZZ_CHECK(!read->info.empty());
    for (const auto& [key, value] : read->info) {
        FUZZ_CHECK(!key.isEmpty());
        FUZZ_CHECK(holdsNone(key, QByteArrayView("\\\n\0", 3)));
        FUZZ_CHECK(holdsNone(value, QByteArrayView("\\\n\0", 3)));
        FUZZ_CHECK(read->value(key.toUpper()) == read->value(key.toLower()));
    }
    for (const status::Player& player : read->players) {
        FUZZ_CHECK(player.ping >= 0);
        FUZZ_CHECK(holdsNone(player.name, QByteArrayView("\"\n\0", 3)));
        checkColours(player.name);
    }

    // Numbers written without the leading zeros or the "-" of a "-0" read
    // come out no longer.
    const QByteArray again = written(*read);
    FUZZ_CHECK(again.size() <= bytes.size());
    FUZZ_CHECK(status::parseStatusAnswer(again) == read);
    return 0;
}
