#include "StatusBoard.h"

#include <QNetworkDatagram>
#include <QSet>
#include <QUdpSocket>

#include <algorithm>

namespace status {
namespace {

// Often enough that the rate limit, not the timer, sets the pace, and rarely
// enough to cost nothing while queries wait.
constexpr int kPumpIntervalMs = 5;
constexpr int kAttempts = 2;

QString keyOf(const ServerAddress& address)
{
    return address.host.toLower() + QLatin1Char(':') + QString::number(address.port);
}

// Queries go out over IPv4 only, the way the game's entries name servers.
QHostAddress ipv4Of(const QHostInfo& info)
{
    for (const QHostAddress& address : info.addresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address;
    return {};
}

// A name may resolve to an address no server has; nothing is sent there.
bool isServerAddress(const QHostAddress& address)
{
    const quint32 ip = address.toIPv4Address();
    return !address.isNull() && ip != 0 && !address.isBroadcast() && !address.isMulticast();
}

} // namespace

StatusBoard::StatusBoard(QObject* parent)
    : StatusBoard(Limits{}, parent)
{
}

StatusBoard::StatusBoard(Limits limits, QObject* parent)
    : QObject(parent)
    , limits_(limits)
    , socket_(new QUdpSocket(this))
{
    clock_.start();
    pumpTimer_.setInterval(kPumpIntervalMs);
    connect(&pumpTimer_, &QTimer::timeout, this, &StatusBoard::pump);
    connect(socket_, &QUdpSocket::readyRead, this, &StatusBoard::readAnswers);
}

StatusBoard::~StatusBoard() = default;

void StatusBoard::ask(const QStringList& entryTexts, Turn turn)
{
    // Linear in the entries, however many are waiting already: a list may be
    // thousands long and opened again and again.
    QSet<QString> queued;
    std::vector<QString> ahead;
    for (const QString& entry : entryTexts) {
        Server* server = serverOf(entry);
        if (!server || !wantsAsking(*server))
            continue;
        if (server->waitingTurn && turn == Turn::Behind)
            continue;
        const QString key = keyOf(server->address);
        if (queued.contains(key))
            continue;
        queued.insert(key);
        ahead.push_back(key);
        server->waitingTurn = true;
        setState(*server, ServerReport::State::Asking);
    }
    if (turn == Turn::Ahead) {
        std::erase_if(turns_, [&](const QString& key) { return queued.contains(key); });
        turns_.insert(turns_.begin(), ahead.begin(), ahead.end());
    } else {
        turns_.insert(turns_.end(), ahead.begin(), ahead.end());
    }
    if (!turns_.empty() && !pumpTimer_.isActive()) {
        pumpTimer_.start();
        pump();
    }
}

ServerReport StatusBoard::report(const QString& entryText) const
{
    const auto key = keyOfEntry_.constFind(entryText);
    if (key == keyOfEntry_.cend())
        return {};
    if (key->isEmpty())
        return {ServerReport::State::NoAddress, std::nullopt, 0};
    return servers_.at(*key).report;
}

StatusBoard::Server* StatusBoard::serverOf(const QString& entryText)
{
    auto key = keyOfEntry_.constFind(entryText);
    if (key == keyOfEntry_.cend()) {
        const std::optional<ServerAddress> address = serverAddress(entryText);
        key = keyOfEntry_.insert(entryText, address ? keyOf(*address) : QString());
        if (address) {
            Server& server = servers_[*key];
            server.address = *address;
            server.entries.append(entryText);
        } else {
            emit changed(entryText);
        }
    }
    return key->isEmpty() ? nullptr : &servers_[*key];
}

bool StatusBoard::wantsAsking(const Server& server) const
{
    switch (server.report.state) {
    case ServerReport::State::Asking:
        // Still waiting its turn: asked again, it moves ahead.
        return server.waitingTurn;
    case ServerReport::State::Answered:
        return clock_.elapsed() - server.reportedAt >= limits_.freshForMs;
    default:
        return true;
    }
}

void StatusBoard::setState(Server& server, ServerReport::State state)
{
    const bool same = server.report.state == state;
    server.report.state = state;
    if (state == ServerReport::State::Answered || state == ServerReport::State::NoAnswer)
        server.reportedAt = clock_.elapsed();
    // An answer replaces the one before; asking again keeps it on show meanwhile.
    if (!same || state == ServerReport::State::Answered)
        for (const QString& entry : std::as_const(server.entries))
            emit changed(entry);
}

bool StatusBoard::maySendNow()
{
    const qint64 now = clock_.elapsed();
    while (!recentSends_.empty() && now - recentSends_.front() >= 1000)
        recentSends_.pop_front();
    return int(recentSends_.size()) < limits_.perSecond;
}

void StatusBoard::pump()
{
    // Retries first: they were asked before anything still waiting.
    const QStringList flying = inFlight_;
    for (const QString& key : flying) {
        Server& server = servers_[key];
        if (server.lookingUp || clock_.elapsed() - server.sentAt < limits_.timeoutMs)
            continue;
        if (server.attempts >= kAttempts)
            giveUp(server);
        else if (maySendNow())
            send(server);
    }
    while (!turns_.empty() && int(inFlight_.size()) < limits_.inFlight && maySendNow()) {
        const QString key = turns_.front();
        turns_.pop_front();
        start(key);
    }
    if (turns_.empty() && inFlight_.isEmpty())
        pumpTimer_.stop();
}

void StatusBoard::start(const QString& key)
{
    Server& server = servers_[key];
    server.waitingTurn = false;
    server.attempts = 0;
    inFlight_.append(key);
    const QHostAddress literal(server.address.host);
    if (!literal.isNull()) {
        server.target = literal;
        send(server);
        return;
    }
    // A lookup counts against the queries in flight, so a list of names does
    // not flood the resolver either.
    server.lookingUp = true;
    QHostInfo::lookupHost(server.address.host, this,
                          [this, key](const QHostInfo& info) { lookedUp(key, info); });
}

void StatusBoard::lookedUp(const QString& key, const QHostInfo& info)
{
    Server& server = servers_[key];
    server.lookingUp = false;
    server.target = ipv4Of(info);
    if (isServerAddress(server.target))
        send(server);
    else
        giveUp(server);
}

void StatusBoard::send(Server& server)
{
    if (socket_->state() != QAbstractSocket::BoundState)
        socket_->bind(QHostAddress::AnyIPv4, 0);
    ++server.attempts;
    server.sentAt = clock_.elapsed();
    recentSends_.push_back(server.sentAt);
    // A datagram the system refuses to send is left to the timeout, as a lost one is.
    socket_->writeDatagram(statusQuery(), server.target, server.address.port);
}

void StatusBoard::giveUp(Server& server)
{
    inFlight_.removeOne(keyOf(server.address));
    server.lookingUp = false;
    // What a server said before it stopped answering is not shown as now.
    server.report.status.reset();
    setState(server, ServerReport::State::NoAnswer);
}

void StatusBoard::readAnswers()
{
    while (socket_->hasPendingDatagrams()) {
        // Read whole, so that an oversized datagram is seen as one and dropped.
        const qint64 size = socket_->pendingDatagramSize();
        const QNetworkDatagram datagram = socket_->receiveDatagram(std::max<qint64>(size, 0));
        if (size > kLargestAnswer)
            continue;
        std::optional<ServerStatus> status = parseStatusAnswer(datagram.data());
        if (status)
            answered(datagram.senderAddress(), quint16(datagram.senderPort()), *std::move(status));
    }
}

void StatusBoard::answered(const QHostAddress& from, quint16 port, ServerStatus status)
{
    // Only the address and port asked may answer: anything else is spoofed or stray.
    const auto asked = std::find_if(inFlight_.cbegin(), inFlight_.cend(), [&](const QString& key) {
        const Server& server = servers_[key];
        return !server.lookingUp && server.address.port == port && server.target.isEqual(from);
    });
    if (asked == inFlight_.cend())
        return;
    Server& server = servers_[*asked];
    inFlight_.erase(asked);
    server.report.status = std::move(status);
    server.report.pingMs = int(clock_.elapsed() - server.sentAt);
    setState(server, ServerReport::State::Answered);
    // Two entries may name one address in different words ("localhost", "127.0.0.1").
    for (const QString& key : QStringList(inFlight_)) {
        Server& twin = servers_[key];
        if (!twin.lookingUp && twin.address.port == port && twin.target.isEqual(from)) {
            inFlight_.removeOne(key);
            twin.report = server.report;
            setState(twin, ServerReport::State::Answered);
        }
    }
}

} // namespace status
