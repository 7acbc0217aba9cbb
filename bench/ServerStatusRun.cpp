#include "ServerStatusRun.h"

#include "FrameWatch.h"
#include "app/ServerBoxStatus.h"
#include "status/NetworkPlugin.h"
#include "status/StatusBoard.h"
#include "ui/SortedComboBox.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QThread>
#include <QUdpSocket>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// What a busy server says: its settings and a full game's players.
QByteArray busyServersAnswer()
{
    QByteArray answer("\xff\xff\xff\xffstatusResponse\n"
                      "\\sv_hostname\\^1Frag^7fest ^3Arena\\mapname\\q3dm17\\sv_maxclients\\16"
                      "\\g_gametype\\0\\g_needpass\\0\\version\\ioq3 1.36 linux-x86_64\n");
    for (int player = 0; player < 12; ++player)
        answer += QByteArray::number(player * 3) + ' ' + QByteArray::number(20 + player) + " \"^" +
                  QByteArray::number(player % 8) + "Player " + QByteArray::number(player) + "\"\n";
    return answer;
}

// The servers, in the thread they answer from, noting when the last answer went.
class AnsweringServers : public QObject {
public:
    explicit AnsweringServers(int count)
    {
        const QByteArray answer = busyServersAnswer();
        for (int n = 0; n < count; ++n) {
            auto* socket = new QUdpSocket(this);
            if (!socket->bind(QHostAddress::LocalHost, 0))
                throw std::runtime_error("no port free on 127.0.0.1 for a server");
            entries.append(QStringLiteral("127.0.0.1:%1").arg(socket->localPort()));
            connect(socket, &QUdpSocket::readyRead, this, [this, socket, answer] {
                while (socket->hasPendingDatagrams()) {
                    const QNetworkDatagram query = socket->receiveDatagram();
                    // The challenge echoed at the end of the settings, as the game does.
                    QByteArray reply = answer;
                    reply.insert(reply.indexOf('\n', 19),
                                 "\\challenge\\" + query.data().sliced(14).trimmed());
                    socket->writeDatagram(reply, query.senderAddress(),
                                          quint16(query.senderPort()));
                    lastAnswer = Clock::now();
                }
            });
        }
    }

    QStringList entries;
    std::atomic<Clock::time_point> lastAnswer{};
};

} // namespace

ServerStatusRun openServerListOf(int servers)
{
    QThread thread;
    QObject inThread;
    inThread.moveToThread(&thread);
    thread.start();
    std::unique_ptr<AnsweringServers> answering;
    QMetaObject::invokeMethod(
        &inThread, [&] { answering = std::make_unique<AnsweringServers>(servers); },
        Qt::BlockingQueuedConnection);

    ui::SortedComboBox box;
    box.setSortedItems(answering->entries);
    box.show();
    status::NetworkPlugin network;
    auto* status = new app::ServerBoxStatus(box, {}, [&] { return &network; });

    int answered = 0;
    Clock::time_point allAnswered{};
    const auto countAnswer = [&](const QString& entry) {
        if (status->source()->report(entry).state == status::ServerReport::State::Answered &&
            ++answered == servers)
            allAnswered = Clock::now();
    };
    FrameWatch frames;
    frames.start();
    box.showPopup();
    // The board comes with the first opening; answers arrive only once the event loop turns.
    QObject::connect(static_cast<status::StatusBoard*>(status->source()->notifier()),
                     &status::StatusBoard::changed, &box, countAnswer);
    const Clock::time_point opened = Clock::now();
    while (answered < servers && secondsBetween(opened, Clock::now()) < 30)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    // The answers of the rows in view came first; one paint shows them all.
    box.view()->viewport()->repaint();
    const Clock::time_point filled = std::max(allAnswered, Clock::now());
    frames.stop();
    box.hidePopup();

    const Clock::time_point lastAnswer = answering->lastAnswer;
    QMetaObject::invokeMethod(
        &inThread, [&] { answering.reset(); }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    if (answered < servers)
        throw std::runtime_error("servers on 127.0.0.1 went unanswered for 30 s");
    return {secondsBetween(lastAnswer, filled), frames.longestSeconds()};
}
