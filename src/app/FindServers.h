#pragma once

#include "status/ServerReport.h"

#include <QString>
#include <QStringList>
#include <QtPlugin>

#include <vector>

class QWidget;

namespace platform {
class Platform;
}

namespace app {

// A server the player took from the server browser, and what joining it
// needs beyond its address.
struct TakenServer {
    QString address; // as the server box holds it
    QString mod;     // the installed folder to play, empty for the base game
    QString password;
};

// What the server browser needs of the main window.
class FindServersHost {
public:
    virtual ~FindServersHost() = default;
    // For the masters' file, in the working directory like the launcher's others.
    virtual platform::Platform& platform() = 0;
    // The entries of the server list file.
    virtual QStringList favourites() = 0;
    // The folder of the game directory that holds this mod, named as it is
    // on disk; empty when there is none.
    virtual QString installedMod(const QString& mod) = 0;
    // Puts the server in the server box, with Connect ticked.
    virtual void takeServer(const TakenServer& server) = 0;
    // Appends the address to the server list as "+" does; false when it
    // could not, the user already told why.
    virtual bool addFavourite(const QString& address) = 0;
};

// How the browser asks: politely, and for tests somewhere other than the
// whole local network.
struct FindServersOptions {
    status::StatusLimits limits;
    QString localNetwork = QStringLiteral("255.255.255.255"); // empty: not asked
    std::vector<quint16> localPorts{27960, 27961, 27962, 27963};
};

// What the network module gives the launcher for the server browser.
class FindServersFactory {
public:
    virtual ~FindServersFactory() = default;
    // A window of its own, deleted when closed; it starts searching when shown.
    virtual QWidget* createFindServersWindow(FindServersHost& host,
                                             const FindServersOptions& options,
                                             QWidget* parent) = 0;
};

} // namespace app

#define VORTLINE_FIND_SERVERS_FACTORY_IID "org.vortline.FindServersFactory/1"
Q_DECLARE_INTERFACE(app::FindServersFactory, VORTLINE_FIND_SERVERS_FACTORY_IID)
