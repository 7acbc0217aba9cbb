#pragma once

#include "FoundServerFacts.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QTimer>

#include <functional>
#include <vector>

namespace status {
class ServerFinder;
}

namespace ui {

// The servers a finder has found, a row each, with what they said. Rows
// that change are read and announced together a few times a second, so a
// flood of answers costs the list one update per batch rather than one per
// answer.
class FoundServersModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The raw name with its colour codes, for the name's delegate.
    static constexpr int kColouredNameRole = Qt::UserRole;
    using ModInstalled = std::function<bool(const QString& mod)>;

    FoundServersModel(status::ServerFinder& finder, ModInstalled modInstalled,
                      QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const FoundServerFacts& facts(int row) const { return facts_[size_t(row)]; }
    // Hands the rows changed since the last batch to the list at once.
    void flushChanges();

signals:
    // A mod was seen for the first time.
    void modSeen(const QString& mod);

private:
    void refreshFacts(int row);
    QString playersText(const FoundServerFacts& server) const;

    status::ServerFinder& finder_;
    ModInstalled modInstalled_;
    std::vector<FoundServerFacts> facts_;
    std::vector<int> changedRows_;
    std::vector<bool> rowChanged_;
    QTimer batchTimer_;
    QIcon lock_;
    QStringList modsSeen_;
};

} // namespace ui
