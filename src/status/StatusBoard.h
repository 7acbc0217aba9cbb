#pragma once

#include "ServerAddress.h"
#include "StatusAnswer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <memory>
#include <optional>

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
        int inFlight = 32;         // queries waiting for an answer at once
        int perSecond = 100;       // queries sent
        int timeoutMs = 1000;      // before the one retry, and after it
        int freshForMs = 30'000;   // an answer older than this is asked again
    };

    explicit StatusBoard(QObject* parent = nullptr);
    StatusBoard(Limits limits, QObject* parent = nullptr);
    ~StatusBoard() override;

    // Asks the servers of these entries, in this order, unless they are being
    // asked already or answered less than `freshForMs` ago. Entries asked
    // earlier and still waiting their turn move behind these.
    void ask(const QStringList& entryTexts);

    ServerReport report(const QString& entryText) const;

signals:
    // The report of an entry has changed.
    void changed(const QString& entryText);

private:
    struct Server;
    // ... implementation details follow
};

} // namespace status
