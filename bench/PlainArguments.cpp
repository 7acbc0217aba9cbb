#include "PlainArguments.h"

#include "app/GameArguments.h"

#include <algorithm>

namespace {

void append(std::string& arguments, const char* command, const std::string& value = {})
{
    arguments += command;
    arguments += value;
    arguments += ' ';
}

} // namespace

PlainOptions plainOptions(const app::LaunchOptions& options)
{
    return {options.playerName.toStdString(),
            options.cheats == 1,
            options.dedicated == 1,
            options.connect == 1,
            options.server.toStdString(),
            options.model.toStdString(),
            options.mapFile.toStdString(),
            options.advanced != 0,
            options.fullscreen,
            options.rate22};
}

std::string argumentsPlainly(const PlainOptions& options)
{
    std::string arguments;
    append(arguments, "+name ", options.playerName);
    if (options.cheats)
        append(arguments, "+set cheats 1");
    if (options.dedicated)
        append(arguments, "+set dedicated 1");
    if (options.connect && !options.server.empty())
        append(arguments, "+connect ", options.server);
    if (options.model != "Select Skin")
        append(arguments, "+model ", options.model);
    if (!options.mapFile.empty())
        append(arguments, "+map ",
               options.mapFile.substr(0, options.mapFile.size() -
                                             std::min<std::size_t>(4, options.mapFile.size())));
    if (options.advanced) {
        if (options.fullscreen == 0 || options.fullscreen == 1)
            append(arguments, options.fullscreen ? "+set r_fullscreen 1" : "+set r_fullscreen 0");
        append(arguments, options.rate22 ? "+set s_khz 22" : "+set s_khz 44");
    }
    return arguments;
}
