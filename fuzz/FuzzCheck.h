#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

// A property that failed ends the run as a crash, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzzcheck::fail(#condition, __FILE__, __LINE__);                                       \
    } while (false)

namespace fuzzcheck {

[[noreturn]] inline void fail(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
    std::abort();
}

// Texts for the report before a failed check, one per line, control and
// non-ASCII characters percent-encoded.
inline void show(const char* label, const QStringList& texts)
{
    std::fprintf(stderr, "%s (%lld):\n", label, static_cast<long long>(texts.size()));
    for (const QString& text : texts)
        std::fprintf(stderr, "  [%s]\n",
                     text.toUtf8().toPercentEncoding(R"( "\,+/:;$()=)").constData());
}

} // namespace fuzzcheck
