#pragma once

#include "status/ServerReport.h"

#include <QString>
#include <QStringList>
#include <QtPlugin>

#include <memory>

class QObject;

namespace app {

// Where the server box learns what servers say of themselves. It lives in the
// network module, so the launcher starts without Qt Network and loads it only
// when a server is first asked.
class StatusSource {
public:
    virtual ~StatusSource() = default;

    // Asks the servers of these entries, in this order, unless they are being
    // asked already or answered lately. Behind queues them after every server
    // already waiting instead of ahead of them: for the rows out of view.
    enum class Turn { Ahead, Behind };
    virtual void ask(const QStringList& entryTexts, Turn turn) = 0;

    virtual status::ServerReport report(const QString& entryText) const = 0;

    // Drops the servers still waiting their turn; answers to queries already
    // sent are still taken.
    virtual void forgetQueue() = 0;

    // The object that emits changed(QString entryText) when an entry's report
    // changes. A plain interface crosses the module's boundary where a
    // QObject base class would need its meta-object on both sides.
    virtual QObject* notifier() = 0;
};

// What the network module gives the launcher.
class StatusSourceFactory {
public:
    virtual ~StatusSourceFactory() = default;
    virtual std::unique_ptr<StatusSource>
    createStatusSource(const status::StatusLimits& limits) = 0;
};

} // namespace app

#define VORTLINE_STATUS_SOURCE_FACTORY_IID "org.vortline.StatusSourceFactory/1"
Q_DECLARE_INTERFACE(app::StatusSourceFactory, VORTLINE_STATUS_SOURCE_FACTORY_IID)
