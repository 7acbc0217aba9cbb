#include "NetworkPlugin.h"

#include "StatusBoard.h"
#include "ui/FindServersWindow.h"

namespace status {

std::unique_ptr<app::StatusSource> NetworkPlugin::createStatusSource(const StatusLimits& limits)
{
    return std::make_unique<StatusBoard>(limits);
}

QWidget* NetworkPlugin::createFindServersWindow(app::FindServersHost& host,
                                                const app::FindServersOptions& options,
                                                QWidget* parent)
{
    return new ui::FindServersWindow(host, options, parent);
}

} // namespace status
