#pragma once

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

// A game server on 127.0.0.1 that answers status queries as told, echoing
// their challenge as the game does, and remembers when each query came.
class FakeGameServer : public QObject {
public:
    enum class Way {
        Answers,
        Silent,
        AnswersRetryOnly,
        AnswersFirstLate, // the first query only, kLateMs after it, once the retry is out
        Malformed,
        Oversized,
        FromAnotherPort,
        NoChallenge,    // as a server that ignores the challenge, or a spoofer who never saw it
        WrongChallenge, // as a replay of an answer to another query
    };
    static constexpr int kLateMs = 225; // between the retry and the end of its wait in the tests

    static QByteArray answer(const QByteArray& challenge = {})
    {
        return "\xff\xff\xff\xffstatusResponse\n"
               "\\sv_hostname\\^1Test\\mapname\\q3dm17\\sv_maxclients\\8" +
               (challenge.isEmpty() ? QByteArray() : "\\challenge\\" + challenge) +
               "\n3 50 \"^2bot\"\n";
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
    quint16 port() const { return socket_.localPort(); }

    QList<qint64> queries; // when, on a clock shared by every fake server
    // The settings an info query is answered with, the challenge added; the
    // server stays silent to info queries when told to be.
    QByteArray info = "\\hostname\\^1Test\\mapname\\q3dm17\\clients\\1\\g_humanplayers\\1"
                      "\\sv_maxclients\\8\\gametype\\0";
    int infoQueries = 0;

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
        static const QByteArray kQuery("\xff\xff\xff\xffgetstatus");
        static const QByteArray kInfoQuery("\xff\xff\xff\xffgetinfo ");
        const QByteArray data = query.data();
        if (data.startsWith(kInfoQuery)) {
            ++infoQueries;
            if (way_ != Way::Silent)
                socket_.writeDatagram("\xff\xff\xff\xffinfoResponse\n\\challenge\\" +
                                          data.sliced(kInfoQuery.size()) + info,
                                      query.senderAddress(), quint16(query.senderPort()));
            return;
        }
        if (!data.startsWith(kQuery) || !data.endsWith('\n'))
            return;
        const QByteArray challenge = data.sliced(kQuery.size()).trimmed();
        queries.append(clock().elapsed());
        if (order_)
            order_->append(this);
        const bool first = queries.size() == 1;
        if (way_ == Way::AnswersFirstLate && !first)
            return;
        QTimer::singleShot(way_ == Way::AnswersFirstLate ? kLateMs : delayMs_, Qt::PreciseTimer,
                           this, [this, query, challenge] { reply(query, challenge); });
    }

    void reply(const QNetworkDatagram& query, const QByteArray& challenge)
    {
        QByteArray bytes = answer(challenge);
        switch (way_) {
        case Way::Silent:
            return;
        case Way::AnswersRetryOnly:
            if (queries.size() < 2)
                return;
            break;
        case Way::NoChallenge:
            bytes = answer();
            break;
        case Way::WrongChallenge:
            bytes = answer(challenge + "0");
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
        case Way::AnswersFirstLate:
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
