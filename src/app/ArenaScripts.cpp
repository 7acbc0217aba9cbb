#include "ArenaScripts.h"

#include <optional>

namespace app {
namespace {

// The game's own tokenizer: words or quoted texts, blanks and comments between
// them, and a line break that may end a block's value.
class ScriptTokens {
public:
    explicit ScriptTokens(const QByteArray& text)
        : text_(text)
    {
    }

    // The next token; none at the end, or at a line break when the caller
    // wants the rest of the line only.
    std::optional<QByteArray> next(bool acrossLines)
    {
        if (!skipBlanks(acrossLines))
            return std::nullopt;
        if (text_[at_] == '"') {
            const qsizetype close = text_.indexOf('"', at_ + 1);
            const qsizetype end = close < 0 ? text_.size() : close;
            QByteArray quoted = text_.sliced(at_ + 1, end - at_ - 1);
            at_ = close < 0 ? end : close + 1;
            return quoted;
        }
        const qsizetype start = at_;
        while (at_ < text_.size() && static_cast<unsigned char>(text_[at_]) > ' ')
            ++at_;
        return text_.sliced(start, at_ - start);
    }

private:
    // False at the end, or at a line break that must not be crossed.
    bool skipBlanks(bool acrossLines)
    {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '\n' && !acrossLines)
                return false;
            if (static_cast<unsigned char>(c) <= ' ') {
                ++at_;
            } else if (startsWith(at_, "//")) {
                const qsizetype end = text_.indexOf('\n', at_);
                at_ = end < 0 ? text_.size() : end;
            } else if (startsWith(at_, "/*")) {
                const qsizetype end = text_.indexOf("*/", at_ + 2);
                at_ = end < 0 ? text_.size() : end + 2;
            } else {
                return true;
            }
        }
        return false;
    }

    bool startsWith(qsizetype at, const char (&two)[3]) const
    {
        return at + 1 < text_.size() && text_[at] == two[0] && text_[at + 1] == two[1];
    }

    const QByteArray& text_;
    qsizetype at_ = 0;
};

bool isAsciiLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Texts are one byte a character; "^1" and the like colour the next letters
// in the game and mean nothing here. Taken out in one pass: a value of a
// megabyte of them must not keep the window waiting.
QString plainText(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '^' && i + 1 < bytes.size() && isAsciiLetterOrDigit(bytes[i + 1]))
            ++i;
        else
            text.append(QChar(static_cast<unsigned char>(c)));
    }
    return text.simplified();
}

} // namespace

QHash<QString, ArenaInfo> readArenaScript(const QByteArray& script)
{
    QHash<QString, ArenaInfo> arenas;
    ScriptTokens tokens(script);
    while (const auto open = tokens.next(true)) {
        if (*open != "{")
            break;
        QHash<QByteArray, QByteArray> values;
        bool closed = false;
        while (const auto key = tokens.next(true)) {
            closed = *key == "}";
            if (closed)
                break;
            values.insert(key->toLower(), tokens.next(false).value_or(QByteArray()));
        }
        const QString map = plainText(values.value("map")).toLower();
        if (!map.isEmpty())
            arenas.insert(map,
                          {plainText(values.value("longname")), plainText(values.value("type"))});
        if (!closed)
            break;
    }
    return arenas;
}

} // namespace app
