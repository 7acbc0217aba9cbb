#pragma once

#include "status/MasterAnswer.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QSet>
#include <QUdpSocket>

#include <algorithm>
#include <vector>

// A master server on 127.0.0.1 that behaves as the public ones do. A game
// server registers by heartbeat: it sends "heartbeat QuakeArena-1", is asked
// "getinfo CHALLENGE", and its info answer echoing that challenge lists it.
// A "getservers" query is answered with every server listed, in datagrams
// of at most 1,400 bytes as dpmaster sends them, only the last ending the
// list with "\EOT\0\0\0".
class TestMaster : public QObject {
public:
    static constexpr qsizetype kLargestDatagram = 1400;

    TestMaster()
    {
        socket_.bind(QHostAddress::LocalHost, 0);
        connect(&socket_, &QUdpSocket::readyRead, this, [this] {
            while (socket_.hasPendingDatagrams())
                received(socket_.receiveDatagram());
        });
    }

    quint16 port() const { return socket_.localPort(); }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port()); }

    // Lists servers as if they had registered.
    void list(const std::vector<status::ListedServer>& servers)
    {
        for (const status::ListedServer& server : servers)
            add(server);
    }
    const std::vector<status::ListedServer>& listed() const { return listed_; }

    QByteArrayList queries; // the "getservers ..." lines asked, in order

private:
    void add(const status::ListedServer& server)
    {
        if (std::find(listed_.begin(), listed_.end(), server) == listed_.end())
            listed_.push_back(server);
    }

    void received(const QNetworkDatagram& datagram)
    {
        static const QByteArray kOutOfBand("\xff\xff\xff\xff");
        const QByteArray data = datagram.data();
        if (!data.startsWith(kOutOfBand))
            return;
        const QByteArray line = data.sliced(kOutOfBand.size());
        const QHostAddress from = datagram.senderAddress();
        const quint16 fromPort = quint16(datagram.senderPort());
        if (line.startsWith("heartbeat ")) {
            const QByteArray challenge =
                QByteArray::number(QRandomGenerator::global()->generate(), 16);
            challenges_.insert(challenge);
            socket_.writeDatagram(kOutOfBand + "getinfo " + challenge, from, fromPort);
        } else if (line.startsWith("infoResponse\n")) {
            const QByteArray info = line.sliced(13);
            for (const QByteArray& challenge : std::as_const(challenges_)) {
                if (info.contains("\\challenge\\" + challenge)) {
                    challenges_.remove(challenge);
                    add({from.toIPv4Address(), fromPort});
                    break;
                }
            }
        } else if (line.startsWith("getservers ")) {
            queries.append(line.trimmed());
            answer(from, fromPort);
        }
    }

    void answer(const QHostAddress& to, quint16 port)
    {
        static const QByteArray kHeader("\xff\xff\xff\xffgetserversResponse");
        QByteArray datagram = kHeader;
        const auto flush = [&] {
            socket_.writeDatagram(datagram, to, port);
            datagram = kHeader;
        };
        for (const status::ListedServer& server : listed_) {
            if (datagram.size() + 7 > kLargestDatagram)
                flush();
            const char record[7] = {'\\',
                                    char(server.ipv4 >> 24),
                                    char(server.ipv4 >> 16),
                                    char(server.ipv4 >> 8),
                                    char(server.ipv4),
                                    char(server.port >> 8),
                                    char(server.port)};
            datagram.append(record, 7);
        }
        if (datagram.size() + 7 > kLargestDatagram)
            flush();
        datagram.append("\\EOT\0\0\0", 7);
        flush();
    }

    QUdpSocket socket_;
    std::vector<status::ListedServer> listed_;
    QSet<QByteArray> challenges_;
};
