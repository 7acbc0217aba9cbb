#pragma once

#include "app/FindServers.h"
#include "app/StatusSource.h"

#include <QObject>

namespace status {

// The network module's root: what the launcher loads on first use and asks
// for the features that need Qt Network.
class NetworkPlugin : public QObject,
                      public app::StatusSourceFactory,
                      public app::FindServersFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VORTLINE_STATUS_SOURCE_FACTORY_IID)
    Q_INTERFACES(app::StatusSourceFactory app::FindServersFactory)

public:
    using QObject::QObject;

    std::unique_ptr<app::StatusSource> createStatusSource(const StatusLimits& limits) override;
    QWidget* createFindServersWindow(app::FindServersHost& host,
                                     const app::FindServersOptions& options,
                                     QWidget* parent) override;
};

} // namespace status
