#pragma once

#include "MasterAnswer.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <vector>

class QUdpSocket;

namespace status {

// Finds the game servers of the local network the way the game does: an
// info query with a challenge, broadcast twice to each of the game's ports.
// A server answers from its own address and port; only answers that echo
// the challenge are taken.
class LocalNetworkQuery : public QObject {
    Q_OBJECT

public:
    explicit LocalNetworkQuery(QObject* parent = nullptr);
    ~LocalNetworkQuery() override;

    // Asks anew, forgetting an earlier round's challenge.
    void start(const QHostAddress& broadcast, const std::vector<quint16>& ports);
    bool running() const { return finishTimer_.isActive(); }

signals:
    void serverFound(const status::ListedServer& server);
    void finished();

private:
    void broadcast();
    void readAnswers();

    QUdpSocket* socket_;
    QTimer againTimer_;
    QTimer finishTimer_;
    QHostAddress target_;
    std::vector<quint16> ports_;
    QByteArray challenge_;
};

} // namespace status
