// Any bytes as vortline.cfg: the reader refuses them (the window then repairs the
// file) or returns a record that the writer writes back to bytes reading as the
// same record.
#include "FuzzCheck.h"
#include "persist/LauncherSettings.h"

#include <cstddef>
#include <cstdint>

namespace {

QStringList fields(const persist::LauncherSettings& s)
{
    return {s.gameDirectory,
            s.playerName,
            s.playerModel,
            s.server,
            s.mapFile,
            QString::number(s.cheats),
            QString::number(s.dedicated),
            QString::number(s.connect)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto read = persist::readSettingsRecord(bytes);
    if (!read)
        return 0;

    // What loading promises of any record it accepts.
    FUZZ_CHECK(read->server.size() >= 15);
    FUZZ_CHECK(read->mapFile.isEmpty());
    for (const int check : {read->cheats, read->dedicated, read->connect})
        FUZZ_CHECK(check >= 0 && check <= 2);

    // Whatever was read, as Latin-1 or as UTF-8, can be written.
    const auto written = persist::writeSettingsRecord(*read);
    FUZZ_CHECK(written);
    const auto again = persist::readSettingsRecord(*written);
    if (!again || *again != *read) {
        fuzzcheck::show("read", fields(*read));
        if (again)
            fuzzcheck::show("read after writing", fields(*again));
    }
    FUZZ_CHECK(again);
    FUZZ_CHECK(*again == *read);
    return 0;
}
