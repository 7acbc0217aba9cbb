#include "ServerFinder.h"

#include "ServerAddress.h"
#include "StatusBoard.h"

namespace status {
namespace {

// Added and asked in one turn of the event loop: a few milliseconds' work.
constexpr int kAddsPerTurn = 250;

QString serverCount(int count)
{
    return count == 1 ? QStringLiteral("1 server") : QStringLiteral("%1 servers").arg(count);
}

bool isSettled(const ServerReport& report)
{
    return report.state == ServerReport::State::Answered ||
           report.state == ServerReport::State::NoAnswer;
}

} // namespace

ServerFinder::ServerFinder(StatusLimits limits, QObject* parent)
    : QObject(parent)
    , limits_(limits)
    , masters_(limits.lookupMs)
{
    addTimer_.setSingleShot(true);
    addTimer_.setInterval(0);
    connect(&addTimer_, &QTimer::timeout, this, &ServerFinder::addWaiting);
    connect(&masters_, &MasterQuery::serversListed, this,
            [this](const QString& master, const std::vector<ListedServer>& servers) {
                addListed(servers, master);
            });
    connect(&masters_, &MasterQuery::masterDone, this, &ServerFinder::masterDone);
    connect(&masters_, &MasterQuery::finished, this, &ServerFinder::progressed);
    connect(&localNetwork_, &LocalNetworkQuery::serverFound, this,
            [this](const ListedServer& server) { addListed({server}, localNetworkSource()); });
    connect(&localNetwork_, &LocalNetworkQuery::finished, this, &ServerFinder::progressed);
}

ServerFinder::~ServerFinder() = default;

void ServerFinder::refresh(const Sources& sources)
{
    // New boards: answers to the last round's questions are not this round's.
    info_ = std::make_unique<StatusBoard>(limits_);
    info_->setQuery(StatusBoard::Query::Info);
    connect(info_.get(), &StatusBoard::changed, this, &ServerFinder::infoChanged);
    players_ = std::make_unique<StatusBoard>(limits_);
    connect(players_.get(), &StatusBoard::changed, this, [this](const QString& address) {
        if (const auto row = rowOfAddress_.constFind(address); row != rowOfAddress_.cend())
            emit playersChanged(*row);
    });
    found_.clear();
    settledRows_.clear();
    waiting_.clear();
    listedKeys_.clear();
    addTimer_.stop();
    rowOfKey_.clear();
    rowOfAddress_.clear();
    listedBy_.clear();
    masterOutcome_.clear();
    masterOrder_ = sources.masters;
    settled_ = 0;
    emit cleared();

    const int first = count();
    for (const QString& favourite : sources.favourites)
        add(favourite.trimmed(), favouriteSource());
    if (count() > first) {
        emit added(first, count() - 1);
        QStringList addresses;
        for (int row = first; row < count(); ++row)
            addresses.append(found_[size_t(row)].address);
        info_->ask(addresses, StatusBoard::Turn::Behind);
    }
    if (!sources.localNetwork.isNull())
        localNetwork_.start(sources.localNetwork, sources.localPorts);
    masters_.start(sources.masters, sources.protocols);
    emit progressed();
}

void ServerFinder::add(const QString& address, const QString& source)
{
    const auto parsed = serverAddress(address);
    if (!parsed)
        return;
    const QString key = parsed->key();
    if (rowOfKey_.contains(key))
        return;
    rowOfKey_.insert(key, count());
    rowOfAddress_.insert(address, count());
    found_.push_back({address, source});
    settledRows_.push_back(false);
}

void ServerFinder::addListed(const std::vector<ListedServer>& servers, const QString& source)
{
    QSet<quint64>* listed = source != localNetworkSource() ? &listedBy_[source] : nullptr;
    for (const ListedServer& server : servers) {
        const quint64 key = server.key();
        if (listed)
            listed->insert(key);
        // A master lists its servers once for each protocol asked: only the
        // first listing is kept.
        if (!listedKeys_.contains(key)) {
            listedKeys_.insert(key);
            waiting_.push_back({server, source});
        }
    }
    if (!waiting_.empty() && !addTimer_.isActive())
        addTimer_.start();
}

void ServerFinder::addWaiting()
{
    // A master's thousands of servers come in one breath; taken a slice a
    // turn, the window stays responsive while they are added and asked.
    const int first = count();
    for (int taken = 0; taken < kAddsPerTurn && !waiting_.empty(); ++taken) {
        add(waiting_.front().first.text(), waiting_.front().second);
        waiting_.pop_front();
    }
    if (!waiting_.empty())
        addTimer_.start();
    if (count() > first) {
        emit added(first, count() - 1);
        QStringList addresses;
        addresses.reserve(count() - first);
        for (int row = first; row < count(); ++row)
            addresses.append(found_[size_t(row)].address);
        info_->ask(addresses, StatusBoard::Turn::Behind);
    }
    emit progressed();
}

void ServerFinder::infoChanged(const QString& address)
{
    const auto found = rowOfAddress_.constFind(address);
    if (found == rowOfAddress_.cend())
        return;
    const int row = *found;
    const bool settled = isSettled(info_->report(address));
    if (settled != settledRows_[size_t(row)]) {
        settledRows_[size_t(row)] = settled;
        settled_ += settled ? 1 : -1;
        emit progressed();
    }
    emit changed(row);
}

void ServerFinder::masterDone(const QString& master, MasterQuery::Outcome outcome)
{
    switch (outcome) {
    case MasterQuery::Outcome::Listed:
        masterOutcome_.insert(master, serverCount(int(listedBy_.value(master).size())));
        break;
    case MasterQuery::Outcome::NoAnswer:
        masterOutcome_.insert(master, QStringLiteral("no answer"));
        break;
    case MasterQuery::Outcome::NameNotFound:
        masterOutcome_.insert(master, QStringLiteral("name not found"));
        break;
    case MasterQuery::Outcome::NoAddress:
        masterOutcome_.insert(master, QStringLiteral("not an address"));
        break;
    }
    emit progressed();
}

ServerReport ServerFinder::report(int row) const
{
    return info_ ? info_->report(found(row).address) : ServerReport{};
}

bool ServerFinder::searching() const
{
    return masters_.running() || localNetwork_.running() || !waiting_.empty();
}

QStringList ServerFinder::masterNotes() const
{
    QStringList notes;
    for (const QString& master : masterOrder_)
        notes.append(master + QLatin1String(": ") +
                     masterOutcome_.value(master, QStringLiteral("asking")));
    return notes;
}

void ServerFinder::askPlayers(int row)
{
    if (players_ && row >= 0 && row < count())
        players_->ask({found(row).address});
}

ServerReport ServerFinder::playersReport(int row) const
{
    return players_ ? players_->report(found(row).address) : ServerReport{};
}

} // namespace status
