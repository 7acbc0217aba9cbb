#include "ColouredText.h"

#include "platform/TextCodec.h"

namespace status {
namespace {

constexpr QChar kColourEscape(u'^');

int colourOf(char32_t code)
{
    // The game's ColorIndex: any character picks one of the eight colours.
    return (static_cast<int>(code) - '0') & 7;
}

// Starts a run for a new colour, or goes on with the last one when it has the
// same colour or nothing drawn yet.
void switchColour(std::vector<ColouredRun>& runs, int colour)
{
    if (!runs.empty() && runs.back().text.isEmpty())
        runs.pop_back();
    if (runs.empty() || runs.back().colour != colour)
        runs.push_back({colour, {}});
}

} // namespace

std::vector<ColouredRun> colouredRuns(QByteArrayView name)
{
    // Servers pass on the bytes players typed: UTF-8 from newer clients,
    // Latin-1 or the game's own glyphs from older ones.
    const QString text = platform::decodeText(name, platform::FileEncoding::Utf8);
    std::vector<ColouredRun> runs{{-1, {}}};
    for (qsizetype at = 0; at < text.size();) {
        const bool isCode =
            text[at] == kColourEscape && at + 1 < text.size() && text[at + 1] != kColourEscape;
        if (!isCode) {
            runs.back().text += text[at];
            ++at;
            continue;
        }
        // A code's character beyond the first plane is two halves; both go.
        const bool pair =
            text[at + 1].isHighSurrogate() && at + 2 < text.size() && text[at + 2].isLowSurrogate();
        const char32_t code =
            pair ? QChar::surrogateToUcs4(text[at + 1], text[at + 2]) : text[at + 1].unicode();
        switchColour(runs, colourOf(code));
        at += pair ? 3 : 2;
    }
    if (runs.back().text.isEmpty())
        runs.pop_back();
    return runs;
}

QString plainText(QByteArrayView name)
{
    QString text;
    for (const ColouredRun& run : colouredRuns(name))
        text += run.text;
    return text;
}

} // namespace status
