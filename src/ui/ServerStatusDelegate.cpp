#include "ServerStatusDelegate.h"

#include "GameColours.h"
#include "ReadableColours.h"

#include <QApplication>
#include <QPainter>

namespace ui {
namespace {

using status::ServerReport;
using State = ServerReport::State;

// Column widths in average characters: name, map, players, ping.
constexpr int kNameChars = 26;
constexpr int kMapChars = 12;
constexpr int kPlayersChars = 7;
constexpr int kPingChars = 8;

QString playersText(const status::ServerStatus& status)
{
    return QStringLiteral("%1/%2").arg(status.players.size()).arg(status.maxClients());
}

} // namespace

ServerStatusDelegate::ServerStatusDelegate(ReportOf reportOf, QObject* parent)
    : QStyledItemDelegate(parent)
    , reportOf_(std::move(reportOf))
{
}

ServerStatusDelegate::Ink ServerStatusDelegate::inkFor(const QPalette& palette, bool selected)
{
    const QColor background = palette.color(selected ? QPalette::Highlight : QPalette::Base);
    const QColor text = readableOn(
        palette.color(selected ? QPalette::HighlightedText : QPalette::Text), background);
    return {text, quietOn(text, background), background};
}

int ServerStatusDelegate::statusWidth(const QFontMetrics& metrics)
{
    return (kNameChars + kMapChars + kPlayersChars + kPingChars + 2) * metrics.averageCharWidth();
}

void ServerStatusDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QString entry = index.data(Qt::DisplayRole).toString();
    const ServerReport report = reportOf_(entry);
    if (report.state == State::NotAsked || report.state == State::NoAddress)
        return;

    const QFontMetrics metrics(option.font);
    const int character = metrics.averageCharWidth();
    const int entryRight = std::max(entryWidth_, metrics.horizontalAdvance(entry) + character);
    QRect column(option.rect.left() + entryRight + character, option.rect.top(), 0,
                 option.rect.height());
    const auto next = [&](int characters) {
        column.moveLeft(column.left() + column.width());
        column.setWidth(characters * character);
        return column;
    };
    const Ink ink = inkFor(option.palette, option.state & QStyle::State_Selected);
    const QColor& text = ink.text;
    const QColor& grey = ink.quiet;
    const auto draw = [&](const QRect& rect, const QString& words, const QColor& colour,
                          Qt::Alignment alignment = Qt::AlignLeft) {
        painter->setPen(colour);
        painter->drawText(rect, alignment | Qt::AlignVCenter | Qt::TextSingleLine,
                          metrics.elidedText(words, Qt::ElideRight, rect.width()));
    };

    painter->save();
    painter->setFont(option.font);
    const QRect name = next(kNameChars).adjusted(0, 0, -character, 0);
    if (!report.status) {
        draw(name, report.state == State::Asking ? tr("asking…") : tr("no answer"), grey);
    } else {
        const status::ServerStatus& status = *report.status;
        drawGameName(*painter, name, status::colouredRuns(status.value("sv_hostname")));
        draw(next(kMapChars), status::plainText(status.value("mapname")), text);
        draw(next(kPlayersChars), playersText(status), text, Qt::AlignRight);
        // While it is asked again, the last answer stays and its ping makes way for the sign.
        draw(next(kPingChars),
             report.state == State::Asking ? tr("…") : tr("%1 ms").arg(report.pingMs),
             report.state == State::Asking ? grey : text, Qt::AlignRight);
    }
    painter->restore();
}

} // namespace ui
