#pragma once

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

// A game server on 127.0.0.1 that answers status queries as told, and
// remembers when each query came.
class FakeGameServer : public QObject {
public:
    enum class Way { Answers, Silent, AnswersRetryOnly, Malformed, Oversized, FromAnotherPort };

    static QByteArray answer()
    {
        return QByteArray("\xff\xff\xff\xffstatusResponse\n"
                          "\\sv_hostname\\^1Test\\mapname\\q3dm17\\sv_maxclients\\8\n"
                          "3 50 \"^2bot\"\n");
    }

    explicit FakeGameServer(Way way = Way::Answers, int delayMs = 0,
                            QList<FakeGameServer*>* order = nullptr)
        : way_(way)
        , delayMs_(delayMs)
        , order_(order)
    {
        socket_.bind(QHostAddress::LocalHost, 0);
        other_.bind(QHostAddress::LocalHost, 0);
        connect(&socket_, &QUdpSocket::readyRead, this, [this] {
            while (socket_.hasPendingDatagrams())
                received(socket_.receiveDatagram());
        });
    }

    QString entry() const { return QStringLiteral("127.0.0.1:%1").arg(socket_.localPort()); }

    QList<qint64> queries; // when, on a clock shared by every fake server

    static QElapsedTimer& clock()
    {
        static QElapsedTimer shared;
        if (!shared.isValid())
            shared.start();
        return shared;
    }

private:
    void received(const QNetworkDatagram& query)
    {
        if (query.data() != "\xff\xff\xff\xffgetstatus\n")
            return;
        queries.append(clock().elapsed());
        if (order_)
            order_->append(this);
        QTimer::singleShot(delayMs_, this, [this, query] { reply(query); });
    }

    void reply(const QNetworkDatagram& query)
    {
        QByteArray bytes = answer();
        switch (way_) {
        case Way::Silent:
            return;
        case Way::AnswersRetryOnly:
            if (queries.size() < 2)
                return;
            break;
        case Way::Malformed:
            bytes.replace("3 50", "3 x");
            break;
        case Way::Oversized:
            bytes.append(QByteArray(16384, ' ')).append('\n');
            break;
        case Way::FromAnotherPort:
            other_.writeDatagram(bytes, query.senderAddress(), quint16(query.senderPort()));
            return;
        case Way::Answers:
            break;
        }
        socket_.writeDatagram(bytes, query.senderAddress(), quint16(query.senderPort()));
    }

    QUdpSocket socket_;
    QUdpSocket other_;
    Way way_;
    int delayMs_;
    QList<FakeGameServer*>* order_;
};
