#include "ProgramArguments.h"

#include "LauncherVersion.h"
#include "ProgramIdentity.h"

namespace app {
namespace {

QString usage()
{
    return QStringLiteral(
        "Usage: vortline [--help | --version]\n"
        "\n"
        "Vortline starts Quake 3 Arena with the map, player, server and options chosen\n"
        "in its window. It keeps the choices in \"vortline.cfg\" and the servers in\n"
        "\"servers.vtl\", both in the folder it is started from, and writes either file\n"
        "with defaults when it is missing.\n"
        "\n"
        "  --help     show this help and end\n"
        "  --version  show the version and end\n");
}

} // namespace

ArgumentsAnswer answerArguments(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return {};
    if (arguments.size() == 1 && arguments[0] == QLatin1String("--help"))
        return {false, 0, usage(), QString()};
    if (arguments.size() == 1 && arguments[0] == QLatin1String("--version")) {
        const QString version = versionCaption().section(QLatin1Char(' '), 1);
        // Name, version and, as GNU programs give it, who holds the rights.
        return {false, 0,
                QLatin1String(identity::kTitle) + QLatin1Char(' ') + version + '\n' +
                    QLatin1String(identity::kCopyright) + '\n',
                QString()};
    }
    // An option is understood only alone, so with two the second is the one
    // refused.
    const bool optionFirst =
        arguments[0] == QLatin1String("--help") || arguments[0] == QLatin1String("--version");
    const QString refused = arguments[optionFirst ? 1 : 0];
    return {false, 2, QString(),
            QStringLiteral("vortline: unknown argument \"%1\"\n").arg(refused) + usage()};
}

} // namespace app
