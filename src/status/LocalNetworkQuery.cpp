#include "LocalNetworkQuery.h"

#include "StatusAnswer.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

#include <algorithm>

namespace status {
namespace {

// The second broadcast makes up for a lost first; answers come within
// milliseconds on a local network, so the round ends soon after it.
constexpr int kAgainMs = 300;
constexpr int kRoundMs = 1500;

} // namespace

LocalNetworkQuery::LocalNetworkQuery(QObject* parent)
    : QObject(parent)
    , socket_(new QUdpSocket(this))
{
    againTimer_.setSingleShot(true);
    againTimer_.setInterval(kAgainMs);
    finishTimer_.setSingleShot(true);
    finishTimer_.setInterval(kRoundMs);
    connect(&againTimer_, &QTimer::timeout, this, &LocalNetworkQuery::broadcast);
    connect(&finishTimer_, &QTimer::timeout, this, &LocalNetworkQuery::finished);
    connect(socket_, &QUdpSocket::readyRead, this, &LocalNetworkQuery::readAnswers);
}

LocalNetworkQuery::~LocalNetworkQuery() = default;

void LocalNetworkQuery::start(const QHostAddress& broadcast, const std::vector<quint16>& ports)
{
    target_ = broadcast;
    ports_ = ports;
    challenge_ = newChallenge();
    if (socket_->state() != QAbstractSocket::BoundState)
        socket_->bind(QHostAddress::AnyIPv4, 0);
    this->broadcast();
    againTimer_.start();
    finishTimer_.start();
}

void LocalNetworkQuery::broadcast()
{
    // Qt's datagram sockets may broadcast; a refused send is left to the round's end.
    for (const quint16 port : ports_)
        socket_->writeDatagram(infoQuery(challenge_), target_, port);
}

void LocalNetworkQuery::readAnswers()
{
    while (socket_->hasPendingDatagrams()) {
        const qint64 size = socket_->pendingDatagramSize();
        const QNetworkDatagram datagram = socket_->receiveDatagram(std::max<qint64>(size, 0));
        if (size > kLargestAnswer || !finishTimer_.isActive())
            continue;
        auto info = parseInfoAnswer(datagram.data());
        if (!info || info->take("challenge") != challenge_)
            continue;
        bool ipv4 = false;
        const quint32 address = datagram.senderAddress().toIPv4Address(&ipv4);
        const ListedServer server{address, quint16(datagram.senderPort())};
        if (ipv4 && server.port != 0)
            emit serverFound(server);
    }
}

} // namespace status
