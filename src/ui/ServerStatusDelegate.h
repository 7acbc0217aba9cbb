#pragma once

#include "status/ServerReport.h"

#include <QStyledItemDelegate>

#include <functional>

namespace ui {

// Draws a server list's rows as they are, and to the right of each entry's
// text what its server said: its name in the game's colours, map,
// players/maximum and ping; "no answer" in grey, or a sign that it is being
// asked. The entry's own text is drawn as the list would draw it.
class ServerStatusDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // The colours a row's status is drawn in, each readable on the row.
    struct Ink {
        QColor text;  // map, players and ping
        QColor quiet; // "asking…", "no answer"
        QColor background;
    };
    static Ink inkFor(const QPalette& palette, bool selected);

    using ReportOf = std::function<status::ServerReport(const QString& entryText)>;

    ServerStatusDelegate(ReportOf reportOf, QObject* parent = nullptr);

    // The width the entries' texts take before the status; the list is made
    // at least this much wider than that.
    void setEntryWidth(int width) { entryWidth_ = width; }
    static int statusWidth(const QFontMetrics& metrics);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    ReportOf reportOf_;
    int entryWidth_ = 0;
};

} // namespace ui
