#pragma once

#include "app/FindServers.h"
#include "status/ServerFinder.h"

#include <QDialog>
#include <QTimer>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QSpinBox;
class QTextBrowser;
class QTreeView;

namespace ui {

class FoundServersFilter;
class FoundServersModel;

// The server browser: the servers of the master servers, the local network
// and the player's favourites, what each says of itself, filtered and
// sorted as the player likes; taking one puts it in the main window's
// server box, with its mod and password.
class FindServersWindow : public QDialog {
    Q_OBJECT

public:
    FindServersWindow(app::FindServersHost& host, const app::FindServersOptions& options,
                      QWidget* parent = nullptr);
    ~FindServersWindow() override;

    void refresh();
    // Takes the current row's server, as Enter does.
    void takeCurrent();
    void addCurrentToFavourites();
    void editMasters();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setupControls();
    void connectControls();
    void applyFilter();
    void addModChoice(const QString& mod);
    void scheduleStatusLine();
    void updateStatusLine();
    void keepCurrentRow();
    void currentRowChanged(const QModelIndex& current);
    void showPlayers(int row);
    int currentSourceRow() const;
    void showContextMenu(const QPoint& at);

    app::FindServersHost& host_;
    app::FindServersOptions options_;
    status::ServerFinder finder_;
    FoundServersModel* servers_ = nullptr;
    FoundServersFilter* shown_ = nullptr;
    QTimer statusTimer_;

    QCheckBox* hideEmpty_ = nullptr;
    QCheckBox* hideFull_ = nullptr;
    QSpinBox* maxPing_ = nullptr;
    QComboBox* gameType_ = nullptr;
    QComboBox* mod_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTreeView* list_ = nullptr;
    QTextBrowser* players_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QPushButton* masters_ = nullptr;
    QPushButton* favourite_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QPushButton* join_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace ui
