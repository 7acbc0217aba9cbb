#pragma once

#include "MasterAnswer.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <vector>

class QUdpSocket;

namespace status {

// Asks master servers which game servers they list. Each master is asked for
// every protocol at once; its list is complete when every answer has ended,
// else after a quiet second. A master that says nothing is asked once more;
// a name that does not resolve within the lookup limit counts as no answer.
// Only datagrams from the master's own address and port are read.
class MasterQuery : public QObject {
    Q_OBJECT

public:
    enum class Outcome { Listed, NoAnswer, NameNotFound, NoAddress };

    explicit MasterQuery(int lookupMs, QObject* parent = nullptr);
    ~MasterQuery() override;

    // Forgets any earlier masters and asks these, each "host[:port]".
    void start(const QStringList& masters, const std::vector<int>& protocols);
    bool running() const { return pending_ > 0; }

signals:
    void serversListed(const QString& master, const std::vector<status::ListedServer>& servers);
    void masterDone(const QString& master, status::MasterQuery::Outcome outcome);
    void finished();

private:
    struct Master {
        QString text;
        QString host;
        quint16 port = 0;
        QHostAddress target;
        qint64 startedAt = 0;
        qint64 sentAt = -1;
        qint64 heardAt = -1;
        int tries = 0;
        int endsSeen = 0;
        bool done = false;
    };

    void lookedUp(int round, int index, const QHostAddress& address);
    void send(Master& master);
    void finish(Master& master, Outcome outcome);
    void tick();
    void readAnswers();

    int lookupMs_;
    QUdpSocket* socket_;
    QTimer ticker_;
    QElapsedTimer clock_;
    std::vector<Master> masters_;
    std::vector<int> protocols_;
    int pending_ = 0;
    int round_ = 0; // tells a late lookup of an earlier start from this one's
};

} // namespace status
