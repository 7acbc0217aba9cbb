// The game's argument string for any option snapshot: any texts, and check box
// values out of their 0..2 range too. The string is consumed piece by piece in
// the fixed order; every piece must be there exactly when its option asks for it.
// A taken server's password, whatever it holds, stays one word of one command.
#include "FuzzCheck.h"
#include "app/GameArguments.h"

#include <cstddef>
#include <cstdint>

namespace {

// A snapshot as text, one option a line in the struct's order: a check value
// is the line's whole number (the default when it is none); "1" sets rate22.
app::LaunchOptions options(const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    const auto line = [&lines](qsizetype at) {
        return lines.value(at);
    };
    const auto number = [&line](qsizetype at, int otherwise) {
        bool ok = false;
        const int value = line(at).toInt(&ok);
        return ok ? value : otherwise;
    };
    app::LaunchOptions o;
    o.playerName = line(0);
    o.cheats = number(1, o.cheats);
    o.dedicated = number(2, o.dedicated);
    o.connect = number(3, o.connect);
    o.server = line(4);
    o.model = line(5);
    o.mapFile = line(6);
    o.advanced = number(7, o.advanced);
    o.fullscreen = number(8, o.fullscreen);
    o.rate22 = line(9) == QLatin1String("1");
    o.serverMod = line(10);
    o.serverPassword = line(11);
    return o;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const app::LaunchOptions o = options(
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QString arguments = app::buildGameArguments(o);
    FUZZ_CHECK(arguments.endsWith(QLatin1Char(' ')));

    QString rest = arguments;
    // Takes the piece when the rest starts with it; tells whether it did.
    const auto take = [&rest](const QString& command) {
        const QString piece = command + QLatin1Char(' ');
        if (!rest.startsWith(piece))
            return false;
        rest.remove(0, piece.size());
        return true;
    };
    const auto given = [](int check) {
        return check == 1;
    };

    FUZZ_CHECK(take(QStringLiteral("+name ") + o.playerName));
    FUZZ_CHECK(take(QStringLiteral("+set cheats 1")) == given(o.cheats));
    FUZZ_CHECK(take(QStringLiteral("+set dedicated 1")) == given(o.dedicated));
    const bool connects = given(o.connect) && !o.server.isEmpty();
    FUZZ_CHECK(take(QStringLiteral("+set fs_game ") + o.serverMod) ==
               (connects && !o.serverMod.isEmpty()));
    const QString password = QStringLiteral("+set password ");
    if (rest.startsWith(password)) {
        FUZZ_CHECK(connects && !o.serverPassword.isEmpty());
        rest.remove(0, password.size());
        // Quoted whole, or a plain word the console cannot split or end.
        const bool quoted = rest.startsWith(QLatin1Char('"'));
        const qsizetype end =
            quoted ? rest.indexOf(QLatin1Char('"'), 1) + 1 : rest.indexOf(QLatin1Char(' '));
        FUZZ_CHECK(end > 0 && end < rest.size() && rest[end] == QLatin1Char(' '));
        const QString word = rest.first(end);
        for (const QChar c : word) {
            FUZZ_CHECK(c.unicode() >= 0x20);
            if (!quoted)
                FUZZ_CHECK(!c.isSpace() && c != QLatin1Char(';') && c != QLatin1Char('+') &&
                           c != QLatin1Char('"') && c != QLatin1Char('/'));
        }
        FUZZ_CHECK(!quoted || word.count(QLatin1Char('"')) == 2);
        rest.remove(0, end + 1);
    } else {
        FUZZ_CHECK(!connects || o.serverPassword.isEmpty());
    }
    FUZZ_CHECK(take(QStringLiteral("+connect ") + o.server) == connects);
    FUZZ_CHECK(take(QStringLiteral("+model ") + o.model) ==
               (o.model != QStringLiteral("Select Skin")));
    // The map goes without its extension: exactly four characters fewer.
    const QString mapName = o.mapFile.size() >= 4 ? o.mapFile.chopped(4) : QString();
    FUZZ_CHECK(take(QStringLiteral("+map ") + mapName) == !o.mapFile.isEmpty());
    if (o.advanced != 0) {
        FUZZ_CHECK(take(QStringLiteral("+set r_fullscreen %1").arg(o.fullscreen)) ==
                   (o.fullscreen == 0 || o.fullscreen == 1));
        FUZZ_CHECK(
            take(o.rate22 ? QStringLiteral("+set s_khz 22") : QStringLiteral("+set s_khz 44")));
    }
    FUZZ_CHECK(rest.isEmpty());
    return 0;
}
