// Any bytes as an arena script. Reading must never crash or hang, a megabyte
// of colour codes included; what it reads is keyed by a map name in lower
// case, each text simplified. The maps whose texts hold no colour mark and no
// quote, written back as a script, read back the same.
#include "FuzzCheck.h"
#include "app/ArenaScripts.h"

#include <cstddef>
#include <cstdint>

namespace {

bool isPlain(const QString& text)
{
    return !text.contains(QLatin1Char('^')) && !text.contains(QLatin1Char('"'));
}

QByteArray quoted(const QString& text)
{
    return '"' + text.toLatin1() + '"';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QHash<QString, app::ArenaInfo> arenas = app::readArenaScript(bytes);

    QHash<QString, app::ArenaInfo> plain;
    QByteArray script;
    for (auto arena = arenas.cbegin(); arena != arenas.cend(); ++arena) {
        const QString& map = arena.key();
        FUZZ_CHECK(!map.isEmpty() && map == map.toLower() && map == map.simplified());
        FUZZ_CHECK(arena->longName == arena->longName.simplified());
        FUZZ_CHECK(arena->types == arena->types.simplified());
        if (isPlain(map) && isPlain(arena->longName) && isPlain(arena->types)) {
            plain.insert(map, *arena);
            script += "{\nmap " + quoted(map) + "\nlongname " + quoted(arena->longName) +
                      "\ntype " + quoted(arena->types) + "\n}\n";
        }
    }
    FUZZ_CHECK(app::readArenaScript(script) == plain);
    return 0;
}
