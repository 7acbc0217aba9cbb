#pragma once

#include "LocalNetworkQuery.h"
#include "MasterQuery.h"
#include "ServerReport.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <memory>
#include <utility>
#include <vector>

namespace status {

class StatusBoard;

// Gathers game servers from master servers, the local network and the
// player's favourites, each once, and asks every one of them for its info
// through a status board and its limits. The servers are kept in the order
// found; a refresh starts over.
class ServerFinder : public QObject {
    Q_OBJECT

public:
    struct Sources {
        QStringList masters;    // "host[:port]", asked for each protocol
        QStringList favourites; // server entries, padded or not
        QHostAddress localNetwork{QHostAddress::Broadcast}; // null: not asked
        std::vector<quint16> localPorts{27960, 27961, 27962, 27963};
        std::vector<int> protocols{68, 71}; // the game's, then OpenArena's
    };

    struct Found {
        QString address; // as the server box would hold it
        QString source;  // a master's text, or the local network or favourites
    };

    static QString localNetworkSource() { return QStringLiteral("LAN"); }
    static QString favouriteSource() { return QStringLiteral("Favourite"); }

    explicit ServerFinder(StatusLimits limits, QObject* parent = nullptr);
    ~ServerFinder() override;

    void refresh(const Sources& sources);

    int count() const { return int(found_.size()); }
    const Found& found(int row) const { return found_[size_t(row)]; }
    ServerReport report(int row) const;
    // Rows whose server has answered or been given up on.
    int settled() const { return settled_; }
    // Whether masters or the local network are still being asked.
    bool searching() const;
    // What each master said, in the order asked, e.g. "host: 12 servers".
    QStringList masterNotes() const;

    // The full status, players too, of one row's server.
    void askPlayers(int row);
    ServerReport playersReport(int row) const;

signals:
    void cleared();
    void added(int first, int last);
    void changed(int row);
    void playersChanged(int row);
    void progressed();

private:
    void add(const QString& address, const QString& source);
    void addListed(const std::vector<ListedServer>& servers, const QString& source);
    void addWaiting();
    void infoChanged(const QString& address);
    void masterDone(const QString& master, MasterQuery::Outcome outcome);

    StatusLimits limits_;
    MasterQuery masters_;
    LocalNetworkQuery localNetwork_;
    std::unique_ptr<StatusBoard> info_;
    std::unique_ptr<StatusBoard> players_;
    std::vector<Found> found_;
    std::vector<bool> settledRows_;
    std::deque<std::pair<ListedServer, QString>> waiting_; // listed, with their source
    QSet<quint64> listedKeys_; // every listed server's address and port, waiting or added
    QTimer addTimer_;
    QHash<QString, int> rowOfKey_;     // by lower-case "host:port"
    QHash<QString, int> rowOfAddress_; // by the row's address text
    // The servers each master listed, each once: a master answers every
    // protocol asked and every retry, and may name a server in more than one.
    QHash<QString, QSet<quint64>> listedBy_;
    QStringList masterOrder_;
    QHash<QString, QString> masterOutcome_;
    int settled_ = 0;
};

} // namespace status
