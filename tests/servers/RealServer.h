#pragma once

#include "status/StatusAnswer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QDeadlineTimer;
class QProcess;
class QTemporaryDir;

namespace servertest {

// A bot that joins the server, so that it has players to list.
struct Bot {
    QString character = QStringLiteral("sarge"); // one of the game's bot files
    QString name; // shown instead of the character's own name; may hold colour codes
};

struct ServerOptions {
    QString hostname = QStringLiteral("Vortline test server");
    QString map = QStringLiteral("oa_dm1"); // bots need one with a route file (.aas)
    int maxClients = 8;
    std::vector<Bot> bots{};
    quint16 port = 0;   // 0: any free port
    QString mod{};      // fs_game; empty for the base game
    QString password{}; // g_password; empty for an open server
    // "127.0.0.1:PORT" of a master to register with by heartbeat; empty for
    // LAN play, announced nowhere. No other host is accepted.
    QString master{};
    // The address the server listens on. "0.0.0.0" hears broadcasts, and so
    // belongs only in a private network namespace.
    QString listenAddress = QStringLiteral("127.0.0.1");
};

// A UDP port on 127.0.0.1 that was free a moment ago and was not handed out
// before by this process.
quint16 freeUdpPort();

// An OpenArena dedicated server (Debian's openarena-server) on 127.0.0.1 only,
// for LAN play unless it is given a master on 127.0.0.1 to announce itself
// to, with its home in a temporary folder of its own. Stopped when destroyed.
class RealServer {
public:
    explicit RealServer(ServerOptions options = {});
    ~RealServer();
    RealServer(const RealServer&) = delete;
    RealServer& operator=(const RealServer&) = delete;

    // Starts the servers side by side and waits until each answers a status
    // query; empty when all do, else why one did not, with its output.
    static QString startAll(const std::vector<RealServer*>& servers);
    QString start() { return startAll({this}); }

    // One status query and its answer, if one comes in time.
    std::optional<status::ServerStatus> probe(int timeoutMs = 1000) const;

    void stop();
    // Keeps the process but stops it answering, as a server that hangs.
    void freeze();

    quint16 port() const { return port_; }
    QString address() const;
    QString output() const;

private:
    QString launch();
    QString waitUntilAnswering(const QDeadlineTimer& deadline);
    QString failure(const QString& why) const;

    ServerOptions options_;
    std::unique_ptr<QTemporaryDir> home_;
    std::unique_ptr<QProcess> process_;
    QStringList arguments_;
    quint16 port_ = 0;
    int launches_ = 0;
    bool frozen_ = false;
};

} // namespace servertest
