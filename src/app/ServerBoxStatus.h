#pragma once

#include "StatusSource.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>

namespace ui {
class SortedComboBox;
class ServerStatusDelegate;
} // namespace ui

namespace app {

// Shows in the server box what each server says of itself: in its drop-down
// beside every entry, and as the box's tooltip for the server in it. Servers
// are asked when the list drops down, the rows in view first, and when the
// tooltip is wanted; closing the list drops the servers still waiting their
// turn. The box's texts, and so what the game is given, are never touched.
class ServerBoxStatus : public QObject {
    Q_OBJECT

public:
    // Where the status source comes from; by default the network module,
    // loaded when a server is first asked. Without one the box shows no status.
    using FactoryOf = std::function<StatusSourceFactory*()>;

    explicit ServerBoxStatus(ui::SortedComboBox& box, status::StatusLimits limits = {},
                             FactoryOf factoryOf = {});
    ~ServerBoxStatus() override;

    // Nothing until a server is first asked, or when there is no source.
    StatusSource* source() const { return source_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void reportChanged(const QString& entryText);

private:
    StatusSource* sourceAtHand();
    void prepareList();
    void fitListWidth();
    void listShown();
    void listHidden();
    void askRowsInView();
    void askRowsOutOfView();
    void showTip();
    bool tipStillOurs() const;
    QStringList entriesInView() const;

    ui::SortedComboBox& box_;
    status::StatusLimits limits_;
    FactoryOf factoryOf_;
    std::unique_ptr<StatusSource> source_;
    bool sourceSought_ = false;
    ui::ServerStatusDelegate* delegate_ = nullptr;
    QPoint tipAt_;
    QString tipShown_; // the box's tip on show, empty when none
    bool listOpen_ = false;
    int nextRowOutOfView_ = 0;
    bool widthStale_ = true;
};

} // namespace app
