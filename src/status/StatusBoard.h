#pragma once

#include "ServerAddress.h"
#include "ServerReport.h"
#include "app/StatusSource.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <unordered_map>
#include <vector>

class QUdpSocket;

namespace status {

// Asks servers for their status in the background and keeps what they said,
// by the entry text that named them. The window never waits for it: answers
// arrive through the event loop and are announced by `changed`. Queries go
// out at a bounded rate with a bounded number in flight, so a long list does
// not flood a network; names are looked up beside them, a few at a time, so a
// slow resolver holds up no query to an address. Only an answer from the very
// address and port asked that echoes the challenge of a query still out is
// taken, timed from that query.
class StatusBoard : public QObject, public app::StatusSource {
    Q_OBJECT

public:
    using Limits = StatusLimits;
    using Turn = app::StatusSource::Turn;
    // Resolves a host name and calls back with its IPv4 address (null when it
    // has none), or never when the resolver hangs.
    using Lookup =
        std::function<void(const QString& host, std::function<void(const QHostAddress&)> found)>;

    // What servers are asked for: everything, players too, or the short form
    // a browser of thousands asks each of them.
    enum class Query { Status, Info };

    explicit StatusBoard(QObject* parent = nullptr);
    StatusBoard(Limits limits, QObject* parent = nullptr);
    // With a resolver of the caller's, for resolvers that misbehave.
    StatusBoard(Limits limits, Lookup lookup, QObject* parent = nullptr);
    ~StatusBoard() override;

    // Before the first ask; status queries otherwise.
    void setQuery(Query query) { query_ = query; }

    // Asks the servers of these entries, in this order, unless they are being
    // asked already or answered less than `freshForMs` ago; one that did not
    // answer is asked again, as it may have come up since. Entries asked
    // earlier and still waiting their turn move behind these, or with Behind
    // stay ahead of these.
    void ask(const QStringList& entryTexts, Turn turn = Turn::Ahead) override;
    ServerReport report(const QString& entryText) const override;
    void forgetQueue() override;
    QObject* notifier() override { return this; }

signals:
    // The report of an entry has changed.
    void changed(const QString& entryText);

private:
    struct Question {
        QByteArray challenge;
        qint64 sentAt = 0;
    };

    // One server, shared by every entry that names it.
    struct Server {
        ServerAddress address;
        QStringList entries;
        ServerReport report;
        qint64 reportedAt = -1;          // when it was last answered or given up on
        bool named = false;              // its host is a name to look up first
        QHostAddress target;             // where queries go, once known
        std::vector<Question> questions; // this round's, the first first
        bool waitingTurn = false;
        bool lookingUp = false;
        qint64 lookupStartedAt = 0;
        int lookups = 0; // tells a late lookup's result from the current one's
    };

    Server* serverOf(const QString& entryText);
    bool wantsAsking(const Server& server) const;
    void setState(Server& server, ServerReport::State state);
    void pump();
    void startLookup(const QString& key);
    void lookedUp(const QString& key, int lookup, const QHostAddress& address);
    void startQuestions(const QString& key);
    void send(Server& server);
    void giveUp(Server& server, bool nameNotFound = false);
    void readAnswers();
    void answered(const QHostAddress& from, quint16 port, ServerStatus status);
    bool maySendNow();

    Limits limits_;
    Query query_ = Query::Status;
    Lookup lookup_;
    QUdpSocket* socket_ = nullptr;
    QTimer pumpTimer_;
    QElapsedTimer clock_;
    QHash<QString, QString> keyOfEntry_; // empty key: the entry names no server
    // By lower-case "host:port"; a map whose elements stay put, so a server
    // at hand stays valid when a slot of `changed` asks for more.
    std::unordered_map<QString, Server> servers_;
    std::deque<QString> turns_;       // keys with a known address waiting to be sent, next first
    std::deque<QString> lookupTurns_; // keys waiting for their name to be looked up
    QStringList inFlight_;            // keys with a query out
    QStringList lookingUp_;           // keys whose name is being looked up
    std::deque<qint64> recentSends_;  // within the last second
};

} // namespace status
