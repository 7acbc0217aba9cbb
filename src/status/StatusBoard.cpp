#include "StatusBoard.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QSet>
#include <QUdpSocket>

#include <algorithm>

namespace status {
namespace {

// Often enough that the rate limit, not the timer, sets the pace, and rarely
// enough to cost nothing while queries wait.
constexpr int kPumpIntervalMs = 5;
// Questions sent in one turn of the pump: a burst of 32 written at once held
// the window up for milliseconds, where eight a turn still allow 1,600 a second.
constexpr int kSendsPerTurn = 8;
constexpr int kAttempts = 2;
// Names looked up at once: a resolver that hangs ties up no more of Qt's
// lookup threads than this until each lookup's time is up.
constexpr int kLookupsAtOnce = 4;

// A name may resolve to an address no server has; nothing is sent there.
bool isServerAddress(const QHostAddress& address)
{
    const quint32 ip = address.toIPv4Address();
    return !address.isNull() && ip != 0 && !address.isBroadcast() && !address.isMulticast();
}

// The keys of `keys` first or last in `queue`, each once.
void enqueue(std::deque<QString>& queue, const std::vector<QString>& keys,
             const QSet<QString>& queued, StatusBoard::Turn turn)
{
    if (turn == StatusBoard::Turn::Ahead) {
        std::erase_if(queue, [&](const QString& key) { return queued.contains(key); });
        queue.insert(queue.begin(), keys.begin(), keys.end());
    } else {
        queue.insert(queue.end(), keys.begin(), keys.end());
    }
}

} // namespace

StatusBoard::StatusBoard(QObject* parent)
    : StatusBoard(Limits{}, parent)
{
}

StatusBoard::StatusBoard(Limits limits, QObject* parent)
    : StatusBoard(limits, nullptr, parent)
{
}

StatusBoard::StatusBoard(Limits limits, Lookup lookup, QObject* parent)
    : QObject(parent)
    , limits_(limits)
    , lookup_(std::move(lookup))
    , socket_(new QUdpSocket(this))
{
    if (!lookup_)
        lookup_ = [this](const QString& host, std::function<void(const QHostAddress&)> found) {
            QHostInfo::lookupHost(host, this, [found = std::move(found)](const QHostInfo& info) {
                found(ipv4Of(info));
            });
        };
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
    std::vector<QString> addresses;
    std::vector<QString> names;
    for (const QString& entry : entryTexts) {
        Server* server = serverOf(entry);
        if (!server || !wantsAsking(*server))
            continue;
        if (server->waitingTurn && turn == Turn::Behind)
            continue;
        const QString key = server->address.key();
        if (queued.contains(key))
            continue;
        queued.insert(key);
        (server->named ? names : addresses).push_back(key);
        server->waitingTurn = true;
        setState(*server, ServerReport::State::Asking);
    }
    enqueue(turns_, addresses, queued, turn);
    enqueue(lookupTurns_, names, queued, turn);
    if (!queued.isEmpty() && !pumpTimer_.isActive()) {
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

void StatusBoard::forgetQueue()
{
    for (const std::deque<QString>* queue : {&turns_, &lookupTurns_}) {
        for (const QString& key : *queue) {
            Server& server = servers_[key];
            server.waitingTurn = false;
            // Back to what was known before it was queued, without making it fresh.
            server.report.state = server.report.status     ? ServerReport::State::Answered
                                  : server.reportedAt >= 0 ? ServerReport::State::NoAnswer
                                                           : ServerReport::State::NotAsked;
            for (const QString& entry : std::as_const(server.entries))
                emit changed(entry);
        }
    }
    turns_.clear();
    lookupTurns_.clear();
}

StatusBoard::Server* StatusBoard::serverOf(const QString& entryText)
{
    auto key = keyOfEntry_.constFind(entryText);
    if (key == keyOfEntry_.cend()) {
        const std::optional<ServerAddress> address = serverAddress(entryText);
        key = keyOfEntry_.insert(entryText, address ? address->key() : QString());
        if (address) {
            Server& server = servers_[*key];
            server.address = *address;
            server.entries.append(entryText);
            const QHostAddress literal(address->host);
            server.named = literal.isNull();
            server.target = literal;
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
    const qint64 now = clock_.elapsed();
    for (const QString& key : QStringList(lookingUp_)) {
        Server& server = servers_[key];
        if (now - server.lookupStartedAt >= limits_.lookupMs)
            giveUp(server);
    }
    int sends = 0;
    const auto maySendThisTurn = [&] {
        return sends < kSendsPerTurn && maySendNow();
    };
    // Retries first: they were asked before anything still waiting.
    for (const QString& key : QStringList(inFlight_)) {
        Server& server = servers_[key];
        if (now - server.questions.back().sentAt < limits_.timeoutMs)
            continue;
        if (int(server.questions.size()) >= kAttempts) {
            giveUp(server);
        } else if (maySendThisTurn()) {
            send(server);
            ++sends;
        }
    }
    while (!lookupTurns_.empty() && lookingUp_.size() < kLookupsAtOnce) {
        const QString key = lookupTurns_.front();
        lookupTurns_.pop_front();
        startLookup(key);
    }
    while (!turns_.empty() && int(inFlight_.size()) < limits_.inFlight && maySendThisTurn()) {
        const QString key = turns_.front();
        turns_.pop_front();
        startQuestions(key);
        ++sends;
    }
    if (turns_.empty() && lookupTurns_.empty() && inFlight_.isEmpty() && lookingUp_.isEmpty())
        pumpTimer_.stop();
}

void StatusBoard::startLookup(const QString& key)
{
    Server& server = servers_[key];
    server.waitingTurn = false;
    server.lookingUp = true;
    server.lookupStartedAt = clock_.elapsed();
    const int lookup = ++server.lookups;
    lookingUp_.append(key);
    lookup_(server.address.host,
            [this, key, lookup](const QHostAddress& address) { lookedUp(key, lookup, address); });
}

void StatusBoard::lookedUp(const QString& key, int lookup, const QHostAddress& address)
{
    Server& server = servers_[key];
    // An answer after the lookup's time was up, or to an earlier lookup, comes too late.
    if (!server.lookingUp || lookup != server.lookups)
        return;
    server.lookingUp = false;
    lookingUp_.removeOne(key);
    if (!isServerAddress(address)) {
        giveUp(server, true);
        return;
    }
    server.target = address;
    // It was asked before anything still waiting.
    server.waitingTurn = true;
    turns_.push_front(key);
    pump();
}

void StatusBoard::startQuestions(const QString& key)
{
    Server& server = servers_[key];
    server.waitingTurn = false;
    server.questions.clear();
    inFlight_.append(key);
    send(server);
}

void StatusBoard::send(Server& server)
{
    if (socket_->state() != QAbstractSocket::BoundState)
        socket_->bind(QHostAddress::AnyIPv4, 0);
    const Question question{newChallenge(), clock_.elapsed()};
    server.questions.push_back(question);
    recentSends_.push_back(question.sentAt);
    // A datagram the system refuses to send is left to the timeout, as a lost one is.
    socket_->writeDatagram(query_ == Query::Info ? infoQuery(question.challenge)
                                                 : statusQuery(question.challenge),
                           server.target, server.address.port);
}

void StatusBoard::giveUp(Server& server, bool nameNotFound)
{
    const QString key = server.address.key();
    inFlight_.removeOne(key);
    lookingUp_.removeOne(key);
    server.lookingUp = false;
    server.questions.clear();
    // What a server said before it stopped answering is not shown as now.
    server.report.status.reset();
    server.report.nameNotFound = nameNotFound;
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
        std::optional<ServerStatus> status = query_ == Query::Info
                                                 ? parseInfoAnswer(datagram.data())
                                                 : parseStatusAnswer(datagram.data());
        if (status)
            answered(datagram.senderAddress(), quint16(datagram.senderPort()), *std::move(status));
    }
}

void StatusBoard::answered(const QHostAddress& from, quint16 port, ServerStatus status)
{
    // The challenge is the board's, not a setting of the server's.
    const QByteArray challenge = status.take("challenge");
    if (challenge.isEmpty())
        return;
    // Only the address and port asked may answer, and only to a query still
    // out: anything else is spoofed, stray or from an earlier round.
    for (const QString& key : QStringList(inFlight_)) {
        Server& server = servers_[key];
        if (server.address.port != port || !server.target.isEqual(from))
            continue;
        const auto question =
            std::find_if(server.questions.cbegin(), server.questions.cend(),
                         [&](const Question& asked) { return asked.challenge == challenge; });
        if (question == server.questions.cend())
            continue;
        server.report.pingMs = int(clock_.elapsed() - question->sentAt);
        server.report.nameNotFound = false;
        server.report.status = std::move(status);
        server.questions.clear();
        inFlight_.removeOne(key);
        setState(server, ServerReport::State::Answered);
        return;
    }
}

} // namespace status
