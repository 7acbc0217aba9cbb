// Any bytes as a .pk3 file in memory. Opening and reading must never crash,
// leak or hang whatever the central directory or the entries claim; a read
// never hands back more than its limit, and an entry that reads whole reads
// the same again at exactly its size and not at all one byte under it.
#include "FuzzCheck.h"
#include "platform/ZipArchive.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr qint64 kLimit = 1 << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto archive = platform::ZipArchive::fromBytes(bytes);
    if (!archive)
        return 0;

    const auto names = archive->entryNames();
    FUZZ_CHECK(archive->entryNames() == names);
    if (!names)
        return 0;
    for (const QString& name : *names) {
        const auto read = archive->read(name, kLimit);
        if (!read)
            continue;
        FUZZ_CHECK(read->size() <= kLimit);
        FUZZ_CHECK(archive->read(name, read->size()) == read);
        FUZZ_CHECK(read->isEmpty() || !archive->read(name, read->size() - 1));
    }
    return 0;
}
