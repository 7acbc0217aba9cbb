#include "FindServersRun.h"

#include "FrameWatch.h"
#include "PaintedWindow.h"
#include "app/FindServers.h"
#include "app/Form1.h"
#include "persist/MasterListFile.h"
#include "platform/NativePlatform.h"
#include "platform/Platform.h"
#include "support/TestMaster.h"
#include "ui/FindServersWindow.h"
#include "ui/FoundServersModel.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QUdpSocket>

#include <malloc.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>
#include <functional>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;

double secondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// Servers of every kind a master lists: names in colour, maps of their game
// type, empty, full and in between, bots, a few mods (one installed, one
// named as the base game), some locked, and one in fifty silent.
constexpr const char* kNames[] = {
    "^1Frag^7fest ^3Arena", "^4Blue ^7Lagoon",       "^2Rail^7Only",       "^3Old ^5School ^7Arena",
    "^6Camp^7ers Welcome",  "^7Instagib ^1Insanity", "^5Tourney ^7Ladder", "Plain Deathmatch"};
constexpr const char* kMaps[] = {"q3dm1",      "q3dm6",      "q3dm7",     "q3dm13",      "q3dm17",
                                 "q3tourney2", "q3tourney4", "pro-q3dm6", "ztn3tourney1"};
constexpr const char* kFlagMaps[] = {"q3ctf1", "q3ctf2", "q3ctf4", "q3wctf3"};
constexpr int kGameTypes[] = {0, 0, 0, 1, 3, 4, 0, 3, 2};
constexpr int kMaxClients[] = {8, 12, 16, 20, 32};
constexpr const char* kMods[] = {"", "", "", "", "", "baseq3", "osp", "cpma", "defrag", "CPMA"};
constexpr char kInstalledMod[] = "osp";

constexpr int kPerAddressByte = 250;
constexpr quint32 kLoopbackNet = 0x7f00'0000;

// 127.0.1.1, 127.0.1.2, ... 127.0.1.250, 127.0.2.1, ...
quint32 addressOf(int server)
{
    return kLoopbackNet | quint32(1 + server / kPerAddressByte) << 8 |
           quint32(1 + server % kPerAddressByte);
}

// Thousands of game servers on one socket: each at an address of its own in
// 127.0.0.0/8, all on the socket's port, each answer sent from the address
// asked (IP_PKTINFO), since the board takes an answer only from there. The
// answers wait a few to a hundred milliseconds each, so that pings differ.
// Only queries from 127.0.0.1 are answered, so nothing goes elsewhere.
class LoopbackServers : public QObject {
public:
    explicit LoopbackServers(int count)
        : count_(count)
    {
        if (!socket_.bind(QHostAddress::AnyIPv4, 0))
            throw std::runtime_error("no UDP port free for the servers");
        for (int server = 0; server < count; ++server)
            settings_.append(settingsOf(server));
        connect(&socket_, &QUdpSocket::readyRead, this, &LoopbackServers::answerQueries);
    }

    std::vector<status::ListedServer> listed() const
    {
        std::vector<status::ListedServer> servers;
        for (int server = 0; server < count_; ++server)
            servers.push_back({addressOf(server), socket_.localPort()});
        return servers;
    }
    static bool isSilent(int server) { return server % 50 == 49; }
    int answering() const { return count_ - (count_ + 1) / 50; }
    Clock::time_point lastAnswer() const { return lastAnswer_; }

private:
    static int maxClientsOf(int server) { return kMaxClients[server % std::size(kMaxClients)]; }
    // Bots among them too.
    static int clientsOf(int server)
    {
        return server % 6 == 0   ? 0
               : server % 9 == 0 ? maxClientsOf(server)
                                 : server * 7 % maxClientsOf(server);
    }

    static QByteArray settingsOf(int server)
    {
        const int gameType = kGameTypes[server % std::size(kGameTypes)];
        const int maxClients = maxClientsOf(server);
        const int clients = clientsOf(server);
        const int bots = server % 4 == 1 ? std::min(clients, 3) : 0;
        const char* map = gameType == 4 ? kFlagMaps[server % std::size(kFlagMaps)]
                                        : kMaps[server % std::size(kMaps)];
        QByteArray settings = QByteArray("\\hostname\\") + kNames[server % std::size(kNames)] +
                              " #" + QByteArray::number(server) + "\\mapname\\" + map +
                              "\\clients\\" + QByteArray::number(clients) + "\\g_humanplayers\\" +
                              QByteArray::number(clients - bots) + "\\sv_maxclients\\" +
                              QByteArray::number(maxClients) + "\\gametype\\" +
                              QByteArray::number(gameType) + "\\g_needpass\\" +
                              (server % 13 == 0 ? "1" : "0");
        if (const QByteArray mod = kMods[server % std::size(kMods)]; !mod.isEmpty())
            settings += "\\game\\" + mod;
        return settings;
    }

    int serverAt(const QHostAddress& address) const
    {
        const quint32 ip = address.toIPv4Address();
        const int third = int(ip >> 8 & 0xff);
        const int fourth = int(ip & 0xff);
        const int server = (third - 1) * kPerAddressByte + fourth - 1;
        const bool ours = (ip & 0xffff'0000) == kLoopbackNet && fourth >= 1 &&
                          fourth <= kPerAddressByte && server >= 0 && server < count_;
        return ours ? server : -1;
    }

    void answerQueries()
    {
        static const QByteArray kOutOfBand("\xff\xff\xff\xff");
        while (socket_.hasPendingDatagrams()) {
            const QNetworkDatagram query = socket_.receiveDatagram();
            const int server = serverAt(query.destinationAddress());
            if (server < 0 || isSilent(server) || query.senderAddress() != QHostAddress::LocalHost)
                continue;
            const QList<QByteArray> words =
                query.data().sliced(kOutOfBand.size()).trimmed().split(' ');
            if (words.size() != 2)
                continue;
            QByteArray answer;
            const QByteArray settings = "\\challenge\\" + words[1] + settings_[server];
            if (words[0] == "getinfo") {
                answer = kOutOfBand + "infoResponse\n" + settings;
            } else if (words[0] == "getstatus") {
                // The players the info counts, in the status answer's lines.
                answer = kOutOfBand + "statusResponse\n" + settings + '\n';
                for (int player = 0; player < clientsOf(server); ++player)
                    answer += QByteArray::number(player * 5) + " 40 \"^" +
                              QByteArray::number(player) + "Player " + QByteArray::number(player) +
                              "\"\n";
            } else {
                continue;
            }
            const quint16 port = quint16(query.senderPort());
            QTimer::singleShot(2 + server * 37 % 120, this, [this, server, answer, port] {
                sendFrom(server, answer, port);
                lastAnswer_ = Clock::now();
            });
        }
    }

    // Qt 6.4's QNetworkDatagram::setSender puts the address in the field
    // Linux ignores (ipi_addr, not ipi_spec_dst), so the answer would come
    // from 127.0.0.1: the source is given here as Linux reads it.
    void sendFrom(int server, const QByteArray& answer, quint16 toPort)
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(toPort);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        iovec data{const_cast<char*>(answer.data()), size_t(answer.size())};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
        msghdr message{};
        message.msg_name = &to;
        message.msg_namelen = sizeof to;
        message.msg_iov = &data;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        cmsghdr* header = CMSG_FIRSTHDR(&message);
        header->cmsg_level = IPPROTO_IP;
        header->cmsg_type = IP_PKTINFO;
        header->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo source{};
        source.ipi_spec_dst.s_addr = htonl(addressOf(server));
        std::memcpy(CMSG_DATA(header), &source, sizeof source);
        // A datagram the system refuses is an answer lost, as on a network.
        ::sendmsg(int(socket_.socketDescriptor()), &message, 0);
    }

    int count_;
    QUdpSocket socket_;
    QByteArrayList settings_;
    Clock::time_point lastAnswer_{};
};

// What the browser needs of the main window; only the master list is read.
class BenchHost : public app::FindServersHost {
public:
    explicit BenchHost(platform::Platform& platform)
        : platform_(platform)
    {
    }
    platform::Platform& platform() override { return platform_; }
    QStringList favourites() override { return {}; }
    QString installedMod(const QString& mod) override
    {
        return mod.compare(QLatin1String(kInstalledMod), Qt::CaseInsensitive) == 0 ? mod
                                                                                   : QString();
    }
    void takeServer(const app::TakenServer&) override {}
    bool addFavourite(const QString&) override { return false; }

private:
    platform::Platform& platform_;
};

// Bytes the allocator has handed out and not had back, in every arena and in
// blocks mapped on their own. Unlike the resident size it depends neither on
// whether freed memory went back to the system nor on pages merely touched,
// so what the rows hold shows alone.
long heapInUseKiB()
{
    const struct mallinfo2 info = mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
}

// Turns the event loop for about this long, a slice at a time.
void turnFor(std::chrono::milliseconds time)
{
    QElapsedTimer turned;
    turned.start();
    while (turned.elapsed() < time.count())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

struct Tally {
    int rows = 0;
    int answered = 0;
    int settled = 0;
};

Tally tallyOf(const ui::FoundServersModel& model)
{
    Tally tally;
    tally.rows = model.rowCount();
    for (int row = 0; row < tally.rows; ++row) {
        const ui::FoundServerFacts& facts = model.facts(row);
        tally.answered += facts.answered();
        tally.settled += facts.heard != ui::FoundServerFacts::Heard::Asking;
    }
    return tally;
}

// Answered rows first by rising ping, the silent ones below them.
bool sortedByPing(const QAbstractProxyModel& shown, const ui::FoundServersModel& model)
{
    const ui::FoundServerFacts* above = nullptr;
    for (int row = 0; row < shown.rowCount(); ++row) {
        const ui::FoundServerFacts& facts =
            model.facts(shown.mapToSource(shown.index(row, 0)).row());
        if (above && facts.answered() && (!above->answered() || facts.pingMs < above->pingMs))
            return false;
        above = &facts;
    }
    return true;
}

template <typename Control> Control* controlNamed(QWidget& window, const QString& name)
{
    for (Control* control : window.findChildren<Control*>()) {
        if (control->accessibleName() == name)
            return control;
    }
    throw std::runtime_error("the server browser has no control named " + name.toStdString());
}

QCheckBox* checkBoxLabelled(QWidget& window, const QString& label)
{
    for (QCheckBox* box : window.findChildren<QCheckBox*>()) {
        if (box->text().remove(QLatin1Char('&')) == label)
            return box;
    }
    throw std::runtime_error("the server browser has no box " + label.toStdString());
}

void typeKey(QLineEdit& edit, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&edit, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&edit, &release);
}

// Makes every change a player makes to the filled list: each filter on and
// off or through its choices, a search typed and erased a key at a time, and
// each column's sort both ways. Each change runs in a turn of the event loop
// of its own, as an input event would, and the list filters, sorts, lays out
// and paints after it; its longest frame is kept by kind.
void changeTheList(QWidget& window, QTreeView& list, FindServersRun& run)
{
    QCheckBox* hideEmpty = checkBoxLabelled(window, QStringLiteral("Hide empty"));
    QCheckBox* hideFull = checkBoxLabelled(window, QStringLiteral("Hide full"));
    auto* maxPing = controlNamed<QSpinBox>(window, QStringLiteral("Maximum ping"));
    auto* gameType = controlNamed<QComboBox>(window, QStringLiteral("Game type"));
    auto* mod = controlNamed<QComboBox>(window, QStringLiteral("Mod"));
    auto* search = controlNamed<QLineEdit>(window, QStringLiteral("Search"));
    const QAbstractItemModel& shown = *list.model();

    // What the player sees of the list: a change that alters none of it in a
    // whole kind was not made.
    const auto seen = [&] {
        return std::pair(shown.rowCount(), shown.data(shown.index(0, 0)).toString());
    };
    std::array<bool, kListChanges> altered{};
    FrameWatch frames;
    const auto time = [&](ListChange kind, std::function<void()> change) {
        const auto before = seen();
        frames.start();
        QTimer::singleShot(0, &window, std::move(change));
        turnFor(std::chrono::milliseconds(60));
        frames.stop();
        double& longest = run.longestChangeFrame[size_t(kind)];
        longest = std::max(longest, frames.longestSeconds());
        altered[size_t(kind)] = altered[size_t(kind)] || seen() != before;
    };

    for (QCheckBox* box : {hideEmpty, hideFull}) {
        const ListChange kind = box == hideEmpty ? ListChange::HideEmpty : ListChange::HideFull;
        time(kind, [box] { box->click(); });
        time(kind, [box] { box->click(); });
    }
    for (const int ms : {25, 50, 75, 100, 150, 0})
        time(ListChange::MaxPing, [maxPing, ms] { maxPing->setValue(ms); });
    for (const auto& [box, kind] :
         {std::pair(gameType, ListChange::GameType), std::pair(mod, ListChange::Mod)}) {
        for (int choice = 1; choice <= box->count(); ++choice)
            time(kind, [box, choice] { box->setCurrentIndex(choice % box->count()); });
    }
    const QString typed = QStringLiteral("arena");
    for (const QChar letter : typed)
        time(ListChange::Search,
             [search, letter] { typeKey(*search, Qt::Key_A + (letter.unicode() - 'a'), letter); });
    for (qsizetype erased = 0; erased < typed.size(); ++erased)
        time(ListChange::Search, [search] { typeKey(*search, Qt::Key_Backspace, {}); });
    for (int column = 0; column < int(ui::FoundColumn::Count); ++column) {
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder})
            time(ListChange::Sort, [&list, column, order] { list.sortByColumn(column, order); });
    }
    time(ListChange::Sort,
         [&list] { list.sortByColumn(int(ui::FoundColumn::Ping), Qt::AscendingOrder); });

    for (size_t kind = 0; kind < kListChanges; ++kind) {
        if (!altered[kind])
            throw std::runtime_error(std::string("the server browser's list showed no change of ") +
                                     listChangeName(ListChange(kind)));
    }
}

// Runs in a working directory of its own for the masters' file, and goes back.
class WorkingFolder {
public:
    WorkingFolder()
    {
        if (!folder_.isValid() || !QDir::setCurrent(folder_.path()))
            throw std::runtime_error("no temporary folder to work in");
    }
    ~WorkingFolder() { QDir::setCurrent(previous_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    QString previous_ = QDir::currentPath();
    QTemporaryDir folder_;
};

void listMaster(platform::Platform& platform, const TestMaster& master)
{
    if (persist::writeMasterListFile(platform, {master.address()}) !=
        persist::WriteOutcome::Written)
        throw std::runtime_error("the masters' file could not be written");
}

} // namespace

const char* listChangeName(ListChange change)
{
    switch (change) {
    case ListChange::HideEmpty:
        return "hide empty";
    case ListChange::HideFull:
        return "hide full";
    case ListChange::MaxPing:
        return "max ping";
    case ListChange::GameType:
        return "game type";
    case ListChange::Mod:
        return "mod";
    case ListChange::Search:
        return "search typed";
    case ListChange::Sort:
        return "sort";
    case ListChange::Count:
        break;
    }
    return "";
}

FindServersRun openFindServersOn(int count)
{
    const WorkingFolder folder;
    const auto platform = platform::createNativePlatform();
    LoopbackServers servers(count);
    TestMaster none;
    TestMaster all;
    all.list(servers.listed());
    listMaster(*platform, none);
    BenchHost host(*platform);
    app::FindServersOptions options;
    options.limits = kFindServersLimits;
    options.localNetwork.clear();

    // Open and empty first: its own master lists nothing.
    auto* window = new ui::FindServersWindow(host, options);
    showAndWaitForPaint(*window);
    turnFor(std::chrono::milliseconds(200));
    FindServersRun run;
    const long emptyKiB = heapInUseKiB();

    auto* list = window->findChild<QTreeView*>();
    auto* shown = qobject_cast<QAbstractProxyModel*>(list->model());
    auto* model = qobject_cast<ui::FoundServersModel*>(shown->sourceModel());
    // The model announces its rows in batches: only then can the list have changed.
    bool batched = false;
    QObject::connect(model, &QAbstractItemModel::dataChanged, window, [&] { batched = true; });

    listMaster(*platform, all);
    FrameWatch frames;
    frames.start();
    const Clock::time_point refreshed = Clock::now();
    window->refresh();
    Clock::time_point filled{};
    bool sorted = false;
    Tally tally;
    while (tally.settled < count && secondsBetween(refreshed, Clock::now()) < 30) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (!batched)
            continue;
        batched = false;
        Clock::time_point checked = Clock::now();
        tally = tallyOf(*model);
        Clock::duration benchWork = Clock::now() - checked;
        if (filled == Clock::time_point{} && tally.rows == count &&
            tally.answered == servers.answering()) {
            list->viewport()->repaint();
            filled = Clock::now();
            sorted = sortedByPing(*shown, *model);
            benchWork += Clock::now() - filled;
        }
        frames.leaveOut(benchWork);
    }
    frames.stop();
    if (tally.settled < count)
        throw std::runtime_error("servers on 127.0.0.0/8 went unanswered for 30 s");
    if (!sorted || !sortedByPing(*shown, *model))
        throw std::runtime_error("the filled server browser was not sorted by ping");
    run.filledFromRefresh = secondsBetween(refreshed, filled);
    run.filledAfterLastAnswer = secondsBetween(servers.lastAnswer(), filled);
    run.longestFillFrame = frames.longestSeconds();
    run.heapKiB = heapInUseKiB() - emptyKiB;

    changeTheList(*window, *list, run);
    // Every filter back to "any" and the sort to ping: the rows must sit as before.
    if (shown->rowCount() != count || !sortedByPing(*shown, *model))
        throw std::runtime_error("the server browser's list lost its order as it was changed");
    destroyWindow(window);
    return run;
}

std::vector<std::string> findServersObjectsAtStart(const QString& folder)
{
    QDir::setCurrent(folder);
    const auto platform = platform::createNativePlatform();
    app::Form1 window(*platform);
    showAndWaitForPaint(window);
    static const char* const kBrowsersClasses[] = {"ui::FindServersWindow", "ui::FoundServersModel",
                                                   "ui::FoundServersFilter", "status::ServerFinder",
                                                   "status::StatusBoard"};
    std::vector<std::string> made;
    for (const QObject* object : window.findChildren<QObject*>()) {
        // The folder list is a tree widget; any other tree view is the browser's list.
        bool browsers = object->inherits("QTreeView") && !object->inherits("QTreeWidget");
        for (const char* name : kBrowsersClasses)
            browsers = browsers || object->inherits(name);
        if (browsers)
            made.emplace_back(object->metaObject()->className());
    }
    return made;
}
