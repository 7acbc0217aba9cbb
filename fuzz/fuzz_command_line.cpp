// The Windows-style splitter against a joiner that quotes as Windows programs
// expect (CommandLineToArgvW's rules): joining words and splitting the result
// gives the words back. Checked for the words the splitter finds in any text,
// and for any words at all, taken from the input split at its NUL bytes; with
// quotes inside a quoted word escaped, and again with them doubled.
#include "FuzzCheck.h"
#include "platform/CommandLineSplitter.h"

#include <cstddef>
#include <cstdint>

namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kBackslash = QLatin1Char('\\');

enum class Quotes { Escaped, Doubled };

bool hasBlank(const QString& word)
{
    return word.contains(QLatin1Char(' ')) || word.contains(QLatin1Char('\t'));
}

// An argument word quoted when it must be: inside quotes, backslashes are
// doubled before a quote (which is then escaped or doubled) and before the
// closing quote.
QString quoteArgument(const QString& word, Quotes quotes)
{
    if (!word.isEmpty() && !hasBlank(word) && !word.contains(kQuote))
        return word;
    QString quoted(kQuote);
    qsizetype backslashes = 0;
    for (const QChar c : word) {
        if (c == kBackslash) {
            ++backslashes;
            continue;
        }
        if (c == kQuote && quotes == Quotes::Escaped)
            quoted += QString(2 * backslashes + 1, kBackslash) + kQuote;
        else if (c == kQuote)
            quoted += QString(2 * backslashes, kBackslash) + kQuote + kQuote;
        else
            quoted += QString(backslashes, kBackslash) + c;
        backslashes = 0;
    }
    return quoted + QString(2 * backslashes, kBackslash) + kQuote;
}

QString joinArguments(const QStringList& words, Quotes quotes)
{
    QStringList quoted;
    for (const QString& word : words)
        quoted.append(quoteArgument(word, quotes));
    return quoted.join(QLatin1Char(' '));
}

// The program word knows no escapes, so it is only put in quotes; a program
// holding a quote cannot be written at all (Windows file names hold none).
QString joinCommandLine(const QStringList& words, Quotes quotes)
{
    const QString& program = words.first();
    QString line = program.isEmpty() || hasBlank(program) ? kQuote + program + kQuote : program;
    if (words.size() > 1)
        line += QLatin1Char(' ') + joinArguments(words.mid(1), quotes);
    return line;
}

void compare(const QStringList& words, const QString& line, const QStringList& again)
{
    if (again != words) {
        fuzzcheck::show("words", words);
        fuzzcheck::show("joined", {line});
        fuzzcheck::show("split again", again);
    }
    FUZZ_CHECK(again == words);
}

void checkArguments(const QStringList& words)
{
    for (const Quotes quotes : {Quotes::Escaped, Quotes::Doubled}) {
        const QString line = joinArguments(words, quotes);
        compare(words, line, platform::splitArguments(line));
    }
}

void checkCommandLine(const QStringList& words)
{
    for (const Quotes quotes : {Quotes::Escaped, Quotes::Doubled}) {
        const QString line = joinCommandLine(words, quotes);
        compare(words, line, platform::splitCommandLine(line));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const bool onlyBlanks =
        QString(text).remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).isEmpty();
    const QStringList arguments = platform::splitArguments(text);
    FUZZ_CHECK(arguments.isEmpty() == onlyBlanks);
    checkArguments(arguments);

    const QStringList commandLine = platform::splitCommandLine(text);
    FUZZ_CHECK(commandLine.isEmpty() == onlyBlanks);
    if (!commandLine.isEmpty()) {
        FUZZ_CHECK(!commandLine.first().contains(kQuote));
        checkCommandLine(commandLine);
    }

    const QStringList words = text.split(QChar(0));
    checkArguments(words);
    if (!words.first().contains(kQuote))
        checkCommandLine(words);
    return 0;
}
