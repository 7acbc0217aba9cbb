#pragma once

#include "ServerAddress.h"
#include "StatusAnswer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QHostInfo>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <optional>
#include <unordered_map>

class QUdpSocket;

namespace status {

// What is known of one server box entry's server.
struct ServerReport {
    enum class State {
        NotAsked,
        Asking,    // a query or a name lookup is under way
        Answered,  // `status` and `pingMs` hold the answer
        NoAnswer,  // no answer after the timeout and one retry, or the name did not resolve
        NoAddress, // the entry's text names no server
    };
    State state = State::NotAsked;
    std::optional<ServerStatus> status;
    int pingMs = 0;
};

// Asks servers for their status in the background and keeps what they said,
// by the entry text that named them. The window never waits for it: answers
// arrive through the event loop and are announced by `changed`. Queries go
// out at a bounded rate with a bounded number in flight, so a long list does
// not flood a network; answers that are not a well-formed status from the
// very address and port asked are ignored.
class StatusBoard : public QObject {
    Q_OBJECT

public:
    struct Limits {
        int inFlight = 32;       // queries waiting for an answer at once
        int perSecond = 100;     // queries sent
        int timeoutMs = 1000;    // before the one retry, and after it
        int freshForMs = 30'000; // an answer older than this is asked again
    };

    explicit StatusBoard(QObject* parent = nullptr);
    StatusBoard(Limits limits, QObject* parent = nullptr);
    ~StatusBoard() override;

    // Asks the servers of these entries, in this order, unless they are being
    // asked already or answered less than `freshForMs` ago; one that did not
    // answer is asked again, as it may have come up since. Entries asked
    // earlier and still waiting their turn move behind these.
    //
    // Behind instead queues them after every server already waiting, and
    // leaves those waiting where they are: for the rows a list has out of view.
    enum class Turn { Ahead, Behind };
    void ask(const QStringList& entryTexts, Turn turn = Turn::Ahead);

    ServerReport report(const QString& entryText) const;

signals:
    // The report of an entry has changed.
    void changed(const QString& entryText);

private:
    // One server, shared by every entry that names it.
    struct Server {
        ServerAddress address;
        QStringList entries;
        ServerReport report;
        qint64 reportedAt = -1; // when it was last answered or given up on
        QHostAddress target;    // where queries go, once known
        qint64 sentAt = -1;
        int attempts = 0;
        bool waitingTurn = false;
        bool lookingUp = false;
    };

    Server* serverOf(const QString& entryText);
    bool wantsAsking(const Server& server) const;
    void setState(Server& server, ServerReport::State state);
    void pump();
    void start(const QString& key);
    void send(Server& server);
    void lookedUp(const QString& key, const QHostInfo& info);
    void giveUp(Server& server);
    void readAnswers();
    void answered(const QHostAddress& from, quint16 port, ServerStatus status);
    bool maySendNow();

    Limits limits_;
    QUdpSocket* socket_ = nullptr;
    QTimer pumpTimer_;
    QElapsedTimer clock_;
    QHash<QString, QString> keyOfEntry_; // empty key: the entry names no server
    // By lower-case "host:port"; a map whose elements stay put, so a server
    // at hand stays valid when a slot of `changed` asks for more.
    std::unordered_map<QString, Server> servers_;
    std::deque<QString> turns_;      // keys waiting to be sent, next first
    QStringList inFlight_;           // keys sent or being looked up
    std::deque<qint64> recentSends_; // within the last second
};

} // namespace status
