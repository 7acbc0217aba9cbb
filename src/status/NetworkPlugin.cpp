#include "NetworkPlugin.h"

#include "StatusBoard.h"

namespace status {

std::unique_ptr<app::StatusSource> NetworkPlugin::createStatusSource(const StatusLimits& limits)
{
    return std::make_unique<StatusBoard>(limits);
}

} // namespace status
