#include "FindServersWindow.h"

#include "FoundServersFilter.h"
#include "FoundServersModel.h"
#include "GameNameDelegate.h"
#include "PasswordDialog.h"
#include "ServerStatusTip.h"
#include "persist/FileNames.h"
#include "persist/MasterListFile.h"
#include "platform/Platform.h"
#include "status/ServerAddress.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QSpinBox>
#include <QTextBrowser>
#include <QTreeView>
#include <QVBoxLayout>

namespace ui {
namespace {

// Long enough for any ping worth playing on.
constexpr int kLargestMaxPing = 999;
constexpr int kPingStep = 25;

// The game types the filter offers, by the game's numbers.
constexpr int kGameTypes[] = {0, 1, 2, 3, 4};

// Column widths in average characters, so they follow the font.
constexpr int kColumnChars[] = {32, 14, 16, 8, 18, 14, 3, 22};

QLabel* labelFor(QWidget* control, const QString& text)
{
    auto* label = new QLabel(text);
    label->setBuddy(control);
    return label;
}

} // namespace

FindServersWindow::FindServersWindow(app::FindServersHost& host,
                                     const app::FindServersOptions& options, QWidget* parent)
    : QDialog(parent, Qt::Window)
    , host_(host)
    , options_(options)
    , finder_(options.limits)
{
    setWindowTitle(QStringLiteral("Find servers"));
    setAttribute(Qt::WA_DeleteOnClose);
    servers_ = new FoundServersModel(
        finder_, [this](const QString& mod) { return !host_.installedMod(mod).isEmpty(); }, this);
    shown_ = new FoundServersFilter(*servers_, this);
    setupControls();
    connectControls();
    statusTimer_.setSingleShot(true);
    statusTimer_.setInterval(0);
    updateStatusLine();
}

FindServersWindow::~FindServersWindow() = default;

void FindServersWindow::setupControls()
{
    hideEmpty_ = new QCheckBox(tr("Hide &empty"));
    hideFull_ = new QCheckBox(tr("Hide f&ull"));
    maxPing_ = new QSpinBox;
    maxPing_->setRange(0, kLargestMaxPing);
    maxPing_->setSingleStep(kPingStep);
    maxPing_->setSpecialValueText(tr("any"));
    maxPing_->setSuffix(tr(" ms"));
    maxPing_->setAccessibleName(tr("Maximum ping"));
    gameType_ = new QComboBox;
    gameType_->addItem(tr("Any"));
    for (const int type : kGameTypes)
        gameType_->addItem(status::gameTypeText(type), type);
    gameType_->setAccessibleName(tr("Game type"));
    mod_ = new QComboBox;
    mod_->addItem(tr("Any"));
    mod_->addItem(tr("None"), QString(""));
    mod_->setAccessibleName(tr("Mod"));
    search_ = new QLineEdit;
    search_->setPlaceholderText(tr("Name, map or address"));
    search_->setClearButtonEnabled(true);
    search_->setAccessibleName(tr("Search"));

    auto* filters = new QHBoxLayout;
    filters->addWidget(hideEmpty_);
    filters->addWidget(hideFull_);
    filters->addSpacing(fontMetrics().averageCharWidth() * 2);
    filters->addWidget(labelFor(maxPing_, tr("Max &ping:")));
    filters->addWidget(maxPing_);
    filters->addWidget(labelFor(gameType_, tr("&Game type:")));
    filters->addWidget(gameType_);
    filters->addWidget(labelFor(mod_, tr("M&od:")));
    filters->addWidget(mod_);
    filters->addWidget(labelFor(search_, tr("&Search:")));
    filters->addWidget(search_, 1);

    list_ = new QTreeView;
    list_->setAccessibleName(tr("Servers"));
    list_->setModel(shown_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setItemDelegateForColumn(
        int(FoundColumn::Name), new GameNameDelegate(FoundServersModel::kColouredNameRole, list_));
    list_->setSortingEnabled(true);
    list_->sortByColumn(int(FoundColumn::Ping), Qt::AscendingOrder);
    const int character = fontMetrics().averageCharWidth();
    for (int column = 0; column < int(FoundColumn::Count); ++column)
        list_->setColumnWidth(column, kColumnChars[column] * character);

    // Of a fixed height, scrolling its own text: a list of players that grew
    // the panel would lay out the whole window again at every row chosen.
    players_ = new QTextBrowser;
    players_->setAccessibleName(tr("Players of the chosen server"));
    players_->setFixedHeight(fontMetrics().height() * 7);
    statusLine_ = new QLabel;
    statusLine_->setAccessibleName(tr("Servers found"));

    masters_ = new QPushButton(tr("&Masters…"));
    favourite_ = new QPushButton(tr("&Add to favourites"));
    refresh_ = new QPushButton(tr("&Refresh"));
    refresh_->setToolTip(tr("Ask every server again (F5)"));
    join_ = new QPushButton(tr("&Join"));
    join_->setToolTip(tr("Put the server in the main window (Enter)"));
    close_ = new QPushButton(tr("Close"));
    // Enter in the list takes its row; elsewhere it is no button's.
    for (QPushButton* button : {masters_, favourite_, refresh_, join_, close_})
        button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(statusLine_, 1);
    buttons->addWidget(masters_);
    buttons->addWidget(favourite_);
    buttons->addWidget(refresh_);
    buttons->addWidget(join_);
    buttons->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(list_, 1);
    layout->addWidget(players_);
    layout->addLayout(buttons);
    resize(character * 140, fontMetrics().height() * 34);
}

void FindServersWindow::connectControls()
{
    for (QCheckBox* box : {hideEmpty_, hideFull_})
        connect(box, &QCheckBox::toggled, this, &FindServersWindow::applyFilter);
    connect(maxPing_, &QSpinBox::valueChanged, this, &FindServersWindow::applyFilter);
    connect(gameType_, &QComboBox::currentIndexChanged, this, &FindServersWindow::applyFilter);
    connect(mod_, &QComboBox::currentIndexChanged, this, &FindServersWindow::applyFilter);
    connect(search_, &QLineEdit::textChanged, this, &FindServersWindow::applyFilter);

    // Not `activated`: with the single-click setting of some desktops it would
    // take a server at every click.
    connect(list_, &QTreeView::doubleClicked, this, &FindServersWindow::takeCurrent);
    list_->installEventFilter(this);
    connect(list_, &QWidget::customContextMenuRequested, this, &FindServersWindow::showContextMenu);
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FindServersWindow::currentRowChanged);
    connect(masters_, &QPushButton::clicked, this, &FindServersWindow::editMasters);
    connect(favourite_, &QPushButton::clicked, this, &FindServersWindow::addCurrentToFavourites);
    connect(refresh_, &QPushButton::clicked, this, &FindServersWindow::refresh);
    connect(join_, &QPushButton::clicked, this, &FindServersWindow::takeCurrent);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
    connect(new QShortcut(QKeySequence::Refresh, this), &QShortcut::activated, this,
            &FindServersWindow::refresh);

    connect(servers_, &FoundServersModel::modSeen, this, &FindServersWindow::addModChoice);
    connect(&finder_, &status::ServerFinder::progressed, this,
            &FindServersWindow::scheduleStatusLine);
    connect(&finder_, &status::ServerFinder::playersChanged, this, [this](int row) {
        if (row == currentSourceRow())
            showPlayers(row);
    });
    // The status line and the current row follow the shown rows.
    connect(&statusTimer_, &QTimer::timeout, this, &FindServersWindow::updateStatusLine);
    for (const auto change : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(shown_, change, this, &FindServersWindow::scheduleStatusLine);
    connect(shown_, &QAbstractItemModel::modelReset, this, &FindServersWindow::scheduleStatusLine);
    connect(shown_, &QAbstractItemModel::layoutChanged, this,
            &FindServersWindow::scheduleStatusLine);
    connect(shown_, &QAbstractItemModel::dataChanged, this, &FindServersWindow::scheduleStatusLine);
}

bool FindServersWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            takeCurrent();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FindServersWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Each opening asks anew; coming back from the task bar does not.
    if (!event->spontaneous()) {
        refresh();
        list_->setFocus();
    }
}

void FindServersWindow::refresh()
{
    status::ServerFinder::Sources sources;
    sources.masters = persist::readMasterListFile(host_.platform());
    sources.favourites = host_.favourites();
    sources.localNetwork =
        options_.localNetwork.isEmpty() ? QHostAddress() : QHostAddress(options_.localNetwork);
    sources.localPorts = options_.localPorts;
    players_->clear();
    finder_.refresh(sources);
}

void FindServersWindow::applyFilter()
{
    ServerFilter filter;
    filter.hideEmpty = hideEmpty_->isChecked();
    filter.hideFull = hideFull_->isChecked();
    filter.maxPingMs = maxPing_->value();
    if (const QVariant type = gameType_->currentData(); type.isValid())
        filter.gameType = type.toInt();
    if (const QVariant mod = mod_->currentData(); mod.isValid())
        filter.mod = mod.toString();
    filter.text = search_->text();
    // The rows are made anew: the server chosen stays chosen while it is shown.
    const int current = currentSourceRow();
    shown_->setFilter(filter);
    if (current >= 0) {
        const QModelIndex again = shown_->mapFromSource(servers_->index(current, 0));
        if (again.isValid()) {
            list_->setCurrentIndex(again);
            list_->scrollTo(again);
        }
    }
    keepCurrentRow();
}

void FindServersWindow::addModChoice(const QString& mod)
{
    // In alphabetical order after "Any" and "None".
    int at = 2;
    while (at < mod_->count() && QString::compare(mod_->itemText(at), mod, Qt::CaseInsensitive) < 0)
        ++at;
    mod_->insertItem(at, mod, mod);
}

void FindServersWindow::scheduleStatusLine()
{
    if (!statusTimer_.isActive())
        statusTimer_.start();
}

void FindServersWindow::updateStatusLine()
{
    keepCurrentRow();
    int players = 0;
    for (int row = 0; row < shown_->rowCount(); ++row)
        players +=
            servers_->facts(shown_->mapToSource(shown_->index(row, 0)).row()).summary.players;
    const int servers = shown_->rowCount();
    QString line = (servers == 1 ? tr("1 server") : tr("%1 servers").arg(servers)) +
                   (players == 1 ? tr(", 1 player") : tr(", %1 players").arg(players));
    if (finder_.searching())
        line += tr(" — searching");
    if (finder_.settled() < finder_.count())
        line += tr(" — asked %1 of %2").arg(finder_.settled()).arg(finder_.count());
    statusLine_->setText(line);
    statusLine_->setToolTip(finder_.masterNotes().join(QLatin1Char('\n')));
    // Only a row can be joined or kept.
    const bool hasRow = list_->currentIndex().isValid();
    join_->setEnabled(hasRow);
    favourite_->setEnabled(hasRow);
}

void FindServersWindow::keepCurrentRow()
{
    if (!list_->currentIndex().isValid() && shown_->rowCount() > 0)
        list_->setCurrentIndex(shown_->index(0, 0));
}

void FindServersWindow::currentRowChanged(const QModelIndex& current)
{
    const int row = current.isValid() ? shown_->mapToSource(current).row() : -1;
    if (row < 0) {
        players_->clear();
        return;
    }
    showPlayers(row);
    finder_.askPlayers(row);
}

void FindServersWindow::showPlayers(int row)
{
    players_->setHtml(serverStatusTip(finder_.found(row).address, finder_.playersReport(row)));
}

int FindServersWindow::currentSourceRow() const
{
    const QModelIndex current = list_->currentIndex();
    return current.isValid() ? shown_->mapToSource(current).row() : -1;
}

void FindServersWindow::takeCurrent()
{
    const int row = currentSourceRow();
    if (row < 0)
        return;
    const FoundServerFacts facts = servers_->facts(row);
    app::TakenServer taken;
    taken.address = facts.address;
    if (facts.answered() && !facts.summary.mod.isEmpty())
        taken.mod = host_.installedMod(facts.summary.mod);
    if (facts.answered() && facts.summary.needsPassword) {
        const auto password =
            askServerPassword(this, facts.plainName.isEmpty() ? facts.address : facts.plainName);
        if (!password)
            return;
        taken.password = *password;
    }
    host_.takeServer(taken);
    close();
}

void FindServersWindow::addCurrentToFavourites()
{
    const int row = currentSourceRow();
    if (row >= 0)
        host_.addFavourite(servers_->facts(row).address);
}

void FindServersWindow::showContextMenu(const QPoint& at)
{
    // The menu key asks at no row in particular: the menu is then the current row's.
    QModelIndex index = list_->indexAt(at);
    if (index.isValid())
        list_->setCurrentIndex(index);
    else
        index = list_->currentIndex();
    if (!index.isValid())
        return;
    QMenu menu(this);
    menu.addAction(tr("&Join"), this, &FindServersWindow::takeCurrent);
    menu.addAction(tr("&Add to favourites"), this, &FindServersWindow::addCurrentToFavourites);
    menu.exec(list_->viewport()->mapToGlobal(list_->visualRect(index).center()));
}

void FindServersWindow::editMasters()
{
    const QStringList masters = persist::readMasterListFile(host_.platform());
    bool ok = false;
    const QString text = QInputDialog::getMultiLineText(
        this, tr("Masters"),
        tr("Master servers, one host[:port] a line (port %1 if none):")
            .arg(status::kDefaultMasterPort),
        masters.join(QLatin1Char('\n')), &ok);
    if (!ok)
        return;
    QStringList edited;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString master = line.trimmed();
        if (master.isEmpty())
            continue;
        if (!status::serverAddress(master, status::kDefaultMasterPort)) {
            host_.platform().showMessage(
                tr("%1 is not a master server's address: write a host name or an IPv4 "
                   "address, with a port from 1 to 65535 after a colon if it is not %2. "
                   "The masters were not changed.")
                    .arg(master)
                    .arg(status::kDefaultMasterPort),
                platform::MessageIcon::Critical);
            return;
        }
        edited.append(master);
    }
    if (edited == masters)
        return;
    const persist::WriteOutcome written = persist::writeMasterListFile(host_.platform(), edited);
    if (written != persist::WriteOutcome::Written) {
        host_.platform().showMessage(
            tr("%1 could not be written, so the masters were not changed. Is the disk full "
               "or the folder read-only?")
                .arg(QLatin1String(persist::kMasterListName)),
            platform::MessageIcon::Critical);
        return;
    }
    refresh();
}

} // namespace ui
