#include "FoundServersModel.h"

#include "LockIcon.h"
#include "ReadableColours.h"
#include "status/ColouredText.h"
#include "status/ServerFinder.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

namespace ui {
namespace {

// Often enough to look live, seldom enough that thousands of answers a
// minute cost little.
constexpr int kBatchMs = 150;

FoundServerFacts::Heard heardOf(const status::ServerReport& report)
{
    using State = status::ServerReport::State;
    switch (report.state) {
    case State::Answered:
        return FoundServerFacts::Heard::Answered;
    case State::NoAnswer:
        return report.nameNotFound ? FoundServerFacts::Heard::NameNotFound
                                   : FoundServerFacts::Heard::NoAnswer;
    default:
        return FoundServerFacts::Heard::Asking;
    }
}

} // namespace

FoundServersModel::FoundServersModel(status::ServerFinder& finder, ModInstalled modInstalled,
                                     QObject* parent)
    : QAbstractTableModel(parent)
    , finder_(finder)
    , modInstalled_(std::move(modInstalled))
    , lock_(lockIcon())
{
    batchTimer_.setSingleShot(true);
    batchTimer_.setInterval(kBatchMs);
    connect(&batchTimer_, &QTimer::timeout, this, &FoundServersModel::flushChanges);
    connect(&finder_, &status::ServerFinder::cleared, this, [this] {
        beginResetModel();
        facts_.clear();
        changedRows_.clear();
        rowChanged_.clear();
        endResetModel();
    });
    connect(&finder_, &status::ServerFinder::added, this, [this](int first, int last) {
        beginInsertRows({}, first, last);
        for (int row = first; row <= last; ++row) {
            facts_.emplace_back();
            rowChanged_.push_back(false);
            refreshFacts(row);
        }
        endInsertRows();
    });
    // A row's facts are read again only when the batch is handed on: the list
    // places each row by what it knew of the others, so rows it has not been
    // told of must not have moved meanwhile.
    connect(&finder_, &status::ServerFinder::changed, this, [this](int row) {
        if (!rowChanged_[size_t(row)]) {
            rowChanged_[size_t(row)] = true;
            changedRows_.push_back(row);
        }
        if (!batchTimer_.isActive())
            batchTimer_.start();
    });
}

void FoundServersModel::refreshFacts(int row)
{
    const status::ServerFinder::Found& found = finder_.found(row);
    const status::ServerReport report = finder_.report(row);
    FoundServerFacts& facts = facts_[size_t(row)];
    facts.address = found.address;
    facts.source = found.source;
    facts.heard = heardOf(report);
    // A server asked again keeps what it said last on show meanwhile.
    if (report.status) {
        facts.summary = status::summarize(*report.status);
        facts.plainName = status::plainText(facts.summary.name);
        facts.pingMs = report.pingMs;
        if (facts.heard == FoundServerFacts::Heard::Asking)
            facts.heard = FoundServerFacts::Heard::Answered;
    }
    facts.modInstalled = facts.summary.mod.isEmpty() || modInstalled_(facts.summary.mod);
    if (!facts.summary.mod.isEmpty() &&
        !modsSeen_.contains(facts.summary.mod, Qt::CaseInsensitive)) {
        modsSeen_.append(facts.summary.mod);
        emit modSeen(facts.summary.mod);
    }
}

void FoundServersModel::flushChanges()
{
    // One signal for each run of adjacent changed rows, none over rows that
    // did not change: the list re-sorts every row a signal covers, each at a
    // cost that grows with the whole list, and a server given up on far above
    // the rows answering now would stretch one span over thousands. Each run's
    // facts change just before its signal, so the others still sit where the
    // list put them by the facts it knew.
    std::vector<int> rows;
    rows.swap(changedRows_);
    std::sort(rows.begin(), rows.end());
    for (const int row : rows)
        rowChanged_[size_t(row)] = false;
    for (size_t first = 0; first < rows.size();) {
        size_t last = first;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        // A slot may have cleared the rows meanwhile.
        if (rows[last] >= rowCount())
            return;
        for (size_t at = first; at <= last; ++at)
            refreshFacts(rows[at]);
        emit dataChanged(index(rows[first], 0), index(rows[last], columnCount() - 1));
        first = last + 1;
    }
}

int FoundServersModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(facts_.size());
}

int FoundServersModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(FoundColumn::Count);
}

QString FoundServersModel::playersText(const FoundServerFacts& server) const
{
    const status::ServerSummary& summary = server.summary;
    QString text = QStringLiteral("%1/%2").arg(summary.players).arg(summary.maxPlayers);
    if (summary.bots > 0)
        text += summary.bots == 1 ? tr(" +1 bot") : tr(" +%1 bots").arg(summary.bots);
    return text;
}

QVariant FoundServersModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FoundServerFacts& server = facts_[size_t(index.row())];
    const auto column = FoundColumn(index.column());
    const bool answered = server.answered();

    if (role == Qt::ForegroundRole && !answered) {
        // Grey that still reads, as the server box's "no answer" does.
        const QPalette palette = QGuiApplication::palette();
        return QBrush(quietOn(palette.color(QPalette::Text), palette.color(QPalette::Base)));
    }
    if (role == kColouredNameRole && column == FoundColumn::Name && answered)
        return server.summary.name;
    if (role == Qt::DecorationRole && column == FoundColumn::Lock && answered &&
        server.summary.needsPassword)
        return lock_;
    if (role == Qt::TextAlignmentRole &&
        (column == FoundColumn::Players || column == FoundColumn::Ping))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole) {
        if (!answered)
            return tr("%1 has not answered").arg(server.address);
        if (column == FoundColumn::Mod && !server.modInstalled)
            return tr("The mod %1 is not installed: the game will play it without the "
                      "launcher choosing it.")
                .arg(server.summary.mod);
        if (column == FoundColumn::Lock && server.summary.needsPassword)
            return tr("Needs a password");
        return server.address;
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};

    switch (column) {
    case FoundColumn::Name:
        switch (server.heard) {
        case FoundServerFacts::Heard::Answered:
            return server.plainName;
        case FoundServerFacts::Heard::Asking:
            return tr("%1 (asking…)").arg(server.address);
        case FoundServerFacts::Heard::NoAnswer:
            return tr("%1 (no answer)").arg(server.address);
        case FoundServerFacts::Heard::NameNotFound:
            return tr("%1 (name not found)").arg(server.address);
        }
        return {};
    case FoundColumn::Map:
        return answered ? server.summary.map : QString();
    case FoundColumn::Players:
        return answered ? playersText(server) : QString();
    case FoundColumn::Ping:
        return answered ? QString::number(server.pingMs) : QString();
    case FoundColumn::GameType:
        return answered ? status::gameTypeText(server.summary.gameType) : QString();
    case FoundColumn::Mod:
        if (!answered || server.summary.mod.isEmpty())
            return QString();
        return server.modInstalled ? server.summary.mod
                                   : tr("%1 (not installed)").arg(server.summary.mod);
    case FoundColumn::Lock:
        // The sign is a picture; a screen reader is told in words.
        return role == Qt::AccessibleTextRole && answered && server.summary.needsPassword
                   ? tr("password")
                   : QString();
    case FoundColumn::Source:
        return server.source;
    case FoundColumn::Count:
        break;
    }
    return {};
}

QVariant FoundServersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (FoundColumn(section) == FoundColumn::Lock) {
        if (role == Qt::DecorationRole)
            return lock_;
        if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
            return tr("Password");
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (FoundColumn(section)) {
    case FoundColumn::Name:
        return tr("Name");
    case FoundColumn::Map:
        return tr("Map");
    case FoundColumn::Players:
        return tr("Players");
    case FoundColumn::Ping:
        return tr("Ping");
    case FoundColumn::GameType:
        return tr("Game type");
    case FoundColumn::Mod:
        return tr("Mod");
    case FoundColumn::Lock:
        return QString();
    case FoundColumn::Source:
        return tr("Found at");
    case FoundColumn::Count:
        break;
    }
    return {};
}

} // namespace ui
