#include "MasterQuery.h"

#include "ServerAddress.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <algorithm>

namespace status {
namespace {

constexpr int kQuietMs = 1000;
constexpr int kTries = 2;
constexpr int kTickMs = 50;
// dpmaster's datagrams are at most 1,400 bytes; anything far larger is not a list.
constexpr qsizetype kLargestListDatagram = 65536;

} // namespace

MasterQuery::MasterQuery(int lookupMs, QObject* parent)
    : QObject(parent)
    , lookupMs_(lookupMs)
    , socket_(new QUdpSocket(this))
{
    clock_.start();
    ticker_.setInterval(kTickMs);
    connect(&ticker_, &QTimer::timeout, this, &MasterQuery::tick);
    connect(socket_, &QUdpSocket::readyRead, this, &MasterQuery::readAnswers);
}

MasterQuery::~MasterQuery() = default;

void MasterQuery::start(const QStringList& masters, const std::vector<int>& protocols)
{
    const int round = ++round_;
    masters_.clear();
    protocols_ = protocols;
    pending_ = 0;
    if (socket_->state() != QAbstractSocket::BoundState)
        socket_->bind(QHostAddress::AnyIPv4, 0);
    for (const QString& text : masters) {
        Master master;
        master.text = text;
        master.startedAt = clock_.elapsed();
        if (const auto address = serverAddress(text, kDefaultMasterPort)) {
            master.host = address->host;
            master.port = address->port;
        }
        masters_.push_back(master);
    }
    pending_ = int(masters_.size());
    for (int index = 0; index < int(masters_.size()); ++index) {
        Master& master = masters_[size_t(index)];
        if (master.host.isEmpty()) {
            finish(master, Outcome::NoAddress);
            continue;
        }
        const QHostAddress literal(master.host);
        if (!literal.isNull()) {
            lookedUp(round, index, literal);
            continue;
        }
        QHostInfo::lookupHost(master.host, this, [this, round, index](const QHostInfo& info) {
            lookedUp(round, index, ipv4Of(info));
        });
    }
    if (pending_ > 0)
        ticker_.start();
    else
        emit finished();
}

void MasterQuery::lookedUp(int round, int index, const QHostAddress& address)
{
    if (round != round_)
        return;
    Master& master = masters_[size_t(index)];
    if (master.done || !master.target.isNull())
        return;
    if (address.isNull()) {
        finish(master, Outcome::NameNotFound);
        return;
    }
    master.target = address;
    send(master);
}

void MasterQuery::send(Master& master)
{
    ++master.tries;
    master.sentAt = clock_.elapsed();
    for (const int protocol : protocols_)
        socket_->writeDatagram(masterQuery(protocol), master.target, master.port);
}

void MasterQuery::finish(Master& master, Outcome outcome)
{
    if (master.done)
        return;
    master.done = true;
    --pending_;
    emit masterDone(master.text, outcome);
    if (pending_ == 0) {
        ticker_.stop();
        emit finished();
    }
}

void MasterQuery::tick()
{
    const qint64 now = clock_.elapsed();
    // By index: a slot of masterDone may start another round.
    const int round = round_;
    for (size_t index = 0; index < masters_.size() && round == round_; ++index) {
        Master& master = masters_[index];
        if (master.done)
            continue;
        if (master.target.isNull()) {
            // A resolver that hangs holds up no one past the lookup limit.
            if (now - master.startedAt >= lookupMs_)
                finish(master, Outcome::NoAnswer);
            continue;
        }
        const qint64 quietSince = std::max(master.sentAt, master.heardAt);
        if (now - quietSince < kQuietMs)
            continue;
        if (master.heardAt >= 0)
            finish(master, Outcome::Listed);
        else if (master.tries < kTries)
            send(master);
        else
            finish(master, Outcome::NoAnswer);
    }
}

void MasterQuery::readAnswers()
{
    while (socket_->hasPendingDatagrams()) {
        const qint64 size = socket_->pendingDatagramSize();
        const QNetworkDatagram datagram = socket_->receiveDatagram(std::max<qint64>(size, 0));
        if (size > kLargestListDatagram)
            continue;
        const auto answer = parseMasterAnswer(datagram.data());
        if (!answer)
            continue;
        for (Master& master : masters_) {
            if (master.done || master.port != datagram.senderPort() ||
                !master.target.isEqual(datagram.senderAddress()))
                continue;
            master.heardAt = clock_.elapsed();
            if (answer->endsList)
                ++master.endsSeen;
            const QString text = master.text;
            const bool complete = master.endsSeen >= int(protocols_.size());
            if (!answer->servers.empty())
                emit serversListed(text, answer->servers);
            // The slot may have started another round: the master is looked up again.
            if (complete) {
                for (Master& same : masters_)
                    if (same.text == text && !same.done) {
                        finish(same, Outcome::Listed);
                        break;
                    }
            }
            break;
        }
    }
}

} // namespace status
