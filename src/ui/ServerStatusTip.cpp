#include "ServerStatusTip.h"

#include "GameColours.h"

#include <QCoreApplication>

namespace ui {
namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ui::ServerStatusTip", text);
}

QString nameCell(QByteArrayView name)
{
    return QStringLiteral("<td style=\"background-color:%1\">%2</td>")
        .arg(gameBackdrop().name(), gameNameHtml(status::colouredRuns(name)));
}

} // namespace

QString serverStatusTip(const QString& entryText, const status::ServerReport& report)
{
    using State = status::ServerReport::State;
    const QString server = entryText.trimmed().toHtmlEscaped();
    switch (report.state) {
    case State::NoAddress:
        return {};
    case State::NotAsked:
    case State::Asking:
        if (!report.status)
            return tr("%1: asking…").arg(server);
        break;
    case State::NoAnswer:
        return tr("%1: no answer").arg(server);
    case State::Answered:
        break;
    }
    const status::ServerStatus& status = *report.status;
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\"><tr>") +
                   nameCell(status.value("sv_hostname")) +
                   QStringLiteral("</tr></table><p>%1 · %2 · %3/%4 · %5</p>")
                       .arg(server, status::plainText(status.value("mapname")).toHtmlEscaped())
                       .arg(status.players.size())
                       .arg(status.maxClients())
                       .arg(tr("%1 ms").arg(report.pingMs));
    if (status.players.empty())
        return html + tr("No one is playing.");
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\"><tr><th align=\"left\">%1"
                           "</th><th align=\"right\">%2</th><th align=\"right\">%3</th></tr>")
                .arg(tr("Player"), tr("Score"), tr("Ping"));
    for (const status::Player& player : status.players)
        html += QStringLiteral("<tr>") + nameCell(player.name) +
                QStringLiteral("<td align=\"right\">%1</td><td align=\"right\">%2</td></tr>")
                    .arg(player.score)
                    .arg(player.ping);
    return html + QStringLiteral("</table>");
}

} // namespace ui
