#include "RealServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <signal.h>

namespace servertest {

namespace {

// The engine says so, with the address it listens on, before it binds, and
// warns on the next line when the port is taken, to go on with the ports after it.
const QByteArray kOpeningLine = QByteArrayLiteral("Opening IP socket: ");
const QByteArray kBindFailed = QByteArrayLiteral("WARNING: NET_IPSocket: bind:");
// Without its map the engine keeps running but never answers.
const QByteArray kNoMap = QByteArrayLiteral("Can't find map");
constexpr int kStartTimeoutMs = 20'000;
constexpr int kLaunchesOnClash = 3;

QString serverProgram()
{
    // Debian's wrapper rather than the engine itself: it knows where the
    // game's data is and which protocol OpenArena speaks.
    QString program = QStandardPaths::findExecutable(QStringLiteral("openarena-server"));
    if (program.isEmpty()) {
        program = QStandardPaths::findExecutable(QStringLiteral("openarena-server"),
                                                 {QStringLiteral("/usr/games")});
    }
    return program;
}

QString lastLines(const QString& text, int count)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > count) {
        lines = lines.mid(lines.size() - count);
        lines.prepend(QStringLiteral("[...]"));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

quint16 freeUdpPort()
{
    static QSet<quint16> handedOut;
    for (;;) {
        QUdpSocket socket;
        if (!socket.bind(QHostAddress::LocalHost, 0)) {
            return 0;
        }
        const quint16 port = socket.localPort();
        if (!handedOut.contains(port)) {
            handedOut.insert(port);
            return port;
        }
    }
}

RealServer::RealServer(ServerOptions options)
    : options_(std::move(options))
{
}

RealServer::~RealServer()
{
    stop();
}

QString RealServer::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

QString RealServer::output() const
{
    if (!home_) {
        return {};
    }
    QFile file(home_->filePath(QStringLiteral("output.txt")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString RealServer::failure(const QString& why) const
{
    return QStringLiteral("%1\nserver: %2 %3\n--- its output ---\n%4")
        .arg(why, serverProgram(), arguments_.join(QLatin1Char(' ')), lastLines(output(), 60));
}

QString RealServer::launch()
{
    const QString program = serverProgram();
    if (program.isEmpty()) {
        return QStringLiteral("openarena-server is neither on PATH nor in /usr/games: install "
                              "Debian's openarena-server (make test-servers does)");
    }
    // A heartbeat elsewhere would announce a test server to the world.
    if (!options_.master.isEmpty() && !options_.master.startsWith(QLatin1String("127.0.0.1:"))) {
        return QStringLiteral("a test server registers only with a master on 127.0.0.1, not %1")
            .arg(options_.master);
    }
    stop();
    home_ = std::make_unique<QTemporaryDir>();
    if (!home_->isValid()) {
        return QStringLiteral("no temporary folder for the server: ") + home_->errorString();
    }
    port_ = options_.port != 0 ? options_.port : freeUdpPort();
    frozen_ = false;
    ++launches_;

    // Startup `+set`s are applied in order, so these override the wrapper's.
    // dedicated 1 is LAN play: only 2 sends heartbeats to master servers, and
    // every master but the test's own is emptied, the wrapper's and the
    // engine's defaults alike. net_enabled 1 is IPv4 alone, so no IPv6 socket
    // listens on every address.
    const QString dedicated = options_.master.isEmpty() ? QStringLiteral("1") : QStringLiteral("2");
    arguments_ = QStringList{
        QStringLiteral("+set"), QStringLiteral("dedicated"),   dedicated,
        QStringLiteral("+set"), QStringLiteral("net_enabled"), QStringLiteral("1"),
        QStringLiteral("+set"), QStringLiteral("net_ip"),      options_.listenAddress,
        QStringLiteral("+set"), QStringLiteral("net_port"),    QString::number(port_),
    };
    for (int master = 1; master <= 5; ++master) {
        arguments_ << QStringLiteral("+set") << QStringLiteral("sv_master%1").arg(master)
                   << (master == 1 ? options_.master : QString());
    }
    // The engine plays a mod from any folder name, even one that is nowhere on
    // disk: what it lacks comes from the base game's archives.
    if (!options_.mod.isEmpty())
        arguments_ << QStringLiteral("+set") << QStringLiteral("fs_game") << options_.mod;
    if (!options_.password.isEmpty())
        arguments_ << QStringLiteral("+set") << QStringLiteral("g_password") << options_.password;
    // The engine quotes an argument that holds spaces itself.
    arguments_ << QStringLiteral("+set") << QStringLiteral("fs_homepath") << home_->path()
               << QStringLiteral("+set") << QStringLiteral("sv_hostname") << options_.hostname
               << QStringLiteral("+set") << QStringLiteral("sv_maxclients")
               << QString::number(options_.maxClients) << QStringLiteral("+map") << options_.map;
    // Added at once, where bot_minplayers adds one bot every ten seconds.
    for (const Bot& bot : options_.bots) {
        arguments_ << QStringLiteral("+addbot") << bot.character << QStringLiteral("1")
                   << QStringLiteral("free") << QStringLiteral("0") << bot.name;
    }

    process_ = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home_->path());
    environment.remove(QStringLiteral("OPENARENA_DEBUGGER"));
    environment.remove(QStringLiteral("OPENARENA_BACKTRACE"));
    process_->setProcessEnvironment(environment);
    process_->setWorkingDirectory(home_->path());
    // A file rather than a pipe: nobody has to drain it while a test waits.
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->setStandardOutputFile(home_->filePath(QStringLiteral("output.txt")));
    process_->setStandardInputFile(QProcess::nullDevice());
    process_->start(program, arguments_);
    if (!process_->waitForStarted(5000)) {
        return failure(QStringLiteral("the server did not start: ") + process_->errorString());
    }
    return {};
}

QString RealServer::startAll(const std::vector<RealServer*>& servers)
{
    for (RealServer* server : servers) {
        server->launches_ = 0;
        if (QString why = server->launch(); !why.isEmpty()) {
            return why;
        }
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    for (RealServer* server : servers) {
        if (QString why = server->waitUntilAnswering(deadline); !why.isEmpty()) {
            return why;
        }
    }
    return {};
}

QString RealServer::waitUntilAnswering(const QDeadlineTimer& deadline)
{
    bool bound = false;
    while (!deadline.hasExpired()) {
        if (!bound) {
            // Its first try is the port asked for.
            const QByteArray out = output().toUtf8();
            if (out.contains(kNoMap)) {
                return failure(QStringLiteral("the server has no map %1").arg(options_.map));
            }
            const qsizetype at = out.indexOf(kOpeningLine + options_.listenAddress.toUtf8() + ':');
            const qsizetype next = at < 0 ? -1 : out.indexOf('\n', at) + 1;
            if (next > 0 && out.indexOf('\n', next) >= 0) {
                if (out.mid(next).startsWith(kBindFailed)) {
                    // Taken since it was found free: the engine moved on to a
                    // port that nobody knows.
                    if (options_.port != 0 || launches_ >= kLaunchesOnClash) {
                        return failure(QStringLiteral("port %1 is taken").arg(port_));
                    }
                    if (QString why = launch(); !why.isEmpty()) {
                        return why;
                    }
                    continue;
                }
                bound = true;
            }
        }
        // Spaced out: ioquake3 answers one address 10 status queries in a
        // burst and then one a second, and the tests need the rest.
        if (bound && probe(200))
            return {};
        if (process_->waitForFinished(bound ? 0 : 50) ||
            process_->state() == QProcess::NotRunning) {
            return failure(QStringLiteral("the server on port %1 ended with exit code %2")
                               .arg(port_)
                               .arg(process_->exitCode()));
        }
    }
    return failure(QStringLiteral("the server on port %1 did not answer a status query within "
                                  "%2 s")
                       .arg(port_)
                       .arg(kStartTimeoutMs / 1000));
}

std::optional<status::ServerStatus> RealServer::probe(int timeoutMs) const
{
    const QByteArray kChallenge("vortline-probe");
    QUdpSocket socket;
    if (!socket.bind(QHostAddress::LocalHost, 0) ||
        socket.writeDatagram(status::statusQuery(kChallenge), QHostAddress::LocalHost, port_) < 0) {
        return std::nullopt;
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = socket.receiveDatagram();
            if (datagram.senderAddress() == QHostAddress(QHostAddress::LocalHost) &&
                datagram.senderPort() == port_) {
                // Only what echoes the challenge answers this query, as the board takes it.
                auto status = status::parseStatusAnswer(datagram.data());
                if (status && status->take("challenge") == kChallenge) {
                    return status;
                }
            }
        }
    }
    return std::nullopt;
}

void RealServer::stop()
{
    if (!process_ || process_->state() == QProcess::NotRunning) {
        return;
    }
    // A stopped process only takes SIGKILL.
    if (frozen_) {
        process_->kill();
    } else {
        process_->terminate();
    }
    if (!process_->waitForFinished(5000)) {
        process_->kill();
        process_->waitForFinished(5000);
    }
}

void RealServer::freeze()
{
    if (process_ && process_->state() != QProcess::NotRunning) {
        ::kill(static_cast<pid_t>(process_->processId()), SIGSTOP);
        frozen_ = true;
    }
}

} // namespace servertest
