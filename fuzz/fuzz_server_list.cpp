// Any bytes as servers.vtl. The writer puts each server on a line of its own,
// unquoted, so a server that holds a comma or a line end, or that the reader
// would unquote or trim, cannot survive a rewrite. Every other list must.
#include "FuzzCheck.h"
#include "persist/ServerList.h"

#include <cstddef>
#include <cstdint>

namespace {

// Text the format carries as it is: no separator, no quote or tab, no blank in
// front of it, and none behind it beyond the padding to 15 characters that
// reading restores; nor, first in a file, what reads as a byte-order mark.
bool isPlain(const QString& entry)
{
    if (entry.size() > 15 && entry.endsWith(QLatin1Char(' ')))
        return false;
    if (entry.startsWith(QChar(0xFEFF)))
        return false;
    qsizetype end = entry.size();
    while (end > 0 && entry[end - 1] == QLatin1Char(' '))
        --end;
    const QString text = entry.left(end);
    for (const char c : {',', '"', '\t', '\r', '\n'})
        if (text.contains(QLatin1Char(c)))
            return false;
    return text.isEmpty() || text[0] != QLatin1Char(' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto read = persist::readServerList(bytes);
    // Only an empty file, or one of a byte-order mark alone, has no entry.
    FUZZ_CHECK(read.has_value() == (!bytes.isEmpty() && bytes != "\xEF\xBB\xBF"));
    if (!read)
        return 0;

    QByteArray written;
    bool allCarried = true;
    for (const QString& entry : *read) {
        FUZZ_CHECK(entry.size() >= 15);
        // Whatever was read, as Latin-1 or as UTF-8, can be written.
        const auto encoded = persist::writeServerLine(entry);
        FUZZ_CHECK(encoded);
        const QByteArray line = *encoded;
        const bool carried = persist::readServerList(line) == QStringList{entry};
        FUZZ_CHECK(carried || !isPlain(entry));
        allCarried = allCarried && carried;
        written += line;
    }

    const auto again = persist::readServerList(written);
    FUZZ_CHECK(again);
    for (const QString& entry : *again)
        FUZZ_CHECK(entry.size() >= 15);
    // Lines that each read back alone read back together: no entry runs into the next.
    if (allCarried && *again != *read) {
        fuzzcheck::show("read", *read);
        fuzzcheck::show("read after writing", *again);
    }
    FUZZ_CHECK(!allCarried || *again == *read);
    return 0;
}
