#include "CommandLineSplitter.h"

namespace platform {
namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

qsizetype skipBlanks(const QString& text, qsizetype at)
{
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return at;
}

void appendWords(const QString& text, qsizetype at, QStringList& words)
{
    const QChar quote = QLatin1Char('"');
    const QChar backslash = QLatin1Char('\\');
    at = skipBlanks(text, at);
    while (at < text.size()) {
        QString word;
        bool quoted = false;
        while (at < text.size() && (quoted || !isBlank(text[at]))) {
            if (text[at] == backslash) {
                qsizetype count = 0;
                while (at < text.size() && text[at] == backslash) {
                    ++count;
                    ++at;
                }
                if (at < text.size() && text[at] == quote) {
                    word.append(QString(count / 2, backslash));
                    if (count % 2 == 1) {
                        word.append(quote);
                        ++at;
                    }
                } else {
                    word.append(QString(count, backslash));
                }
            } else if (text[at] == quote) {
                if (quoted && at + 1 < text.size() && text[at + 1] == quote) {
                    word.append(quote);
                    at += 2;
                } else {
                    quoted = !quoted;
                    ++at;
                }
            } else {
                word.append(text[at]);
                ++at;
            }
        }
        words.append(word);
        at = skipBlanks(text, at);
    }
}

} // namespace

QStringList splitArguments(const QString& arguments)
{
    QStringList words;
    appendWords(arguments, 0, words);
    return words;
}

QStringList splitCommandLine(const QString& commandLine)
{
    QStringList words;
    qsizetype at = skipBlanks(commandLine, 0);
    if (at == commandLine.size())
        return words;
    QString program;
    bool quoted = false;
    for (; at < commandLine.size(); ++at) {
        const QChar c = commandLine[at];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (isBlank(c) && !quoted)
            break;
        else
            program.append(c);
    }
    words.append(program);
    appendWords(commandLine, at, words);
    return words;
}

} // namespace platform
