#include "ServerBoxStatus.h"

#include "NetworkModule.h"
#include "ui/ReadableColours.h"
#include "ui/ServerStatusDelegate.h"
#include "ui/ServerStatusTip.h"
#include "ui/SortedComboBox.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QHelpEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

namespace app {

ServerBoxStatus::ServerBoxStatus(ui::SortedComboBox& box, status::StatusLimits limits,
                                 FactoryOf factoryOf)
    : QObject(&box)
    , box_(box)
    , limits_(limits)
    , factoryOf_(std::move(factoryOf))
{
    if (!factoryOf_)
        factoryOf_ = [] {
            return loadFromNetworkModule<StatusSourceFactory>(
                networkModuleFolders(), "the servers' status cannot be shown");
        };
    // Tooltips go to whichever of the two the pointer is over.
    box_.installEventFilter(this);
    box_.lineEdit()->installEventFilter(this);

    connect(&box_, &ui::SortedComboBox::aboutToShowPopup, this, &ServerBoxStatus::fitListWidth);
    // Measuring the entries of a long list would hold up every opening, so
    // they are measured again only when they change.
    const QAbstractItemModel* entries = box_.model();
    const auto stale = [this] {
        widthStale_ = true;
    };
    connect(entries, &QAbstractItemModel::modelReset, this, stale);
    connect(entries, &QAbstractItemModel::rowsInserted, this, stale);
    connect(entries, &QAbstractItemModel::rowsRemoved, this, stale);
    connect(entries, &QAbstractItemModel::dataChanged, this, stale);
    connect(&box_, &ui::SortedComboBox::popupShown, this, &ServerBoxStatus::listShown);
    connect(&box_, &ui::SortedComboBox::popupHidden, this, &ServerBoxStatus::listHidden);
}

ServerBoxStatus::~ServerBoxStatus() = default;

StatusSource* ServerBoxStatus::sourceAtHand()
{
    // Sought once: a module that cannot be loaded is not looked for at every opening.
    if (!sourceSought_) {
        sourceSought_ = true;
        if (StatusSourceFactory* factory = factoryOf_()) {
            source_ = factory->createStatusSource(limits_);
            connect(source_->notifier(), SIGNAL(changed(QString)), this,
                    SLOT(reportChanged(QString)));
        }
    }
    return source_.get();
}

void ServerBoxStatus::prepareList()
{
    // The list's own window is made when it first opens: a start-up that
    // never shows it does not pay for it.
    if (delegate_)
        return;
    delegate_ = new ui::ServerStatusDelegate(
        [this](const QString& entry) {
            return source_ ? source_->report(entry) : status::ServerReport{};
        },
        this);
    box_.view()->setItemDelegate(delegate_);
    box_.view()->setPalette(ui::withReadableSelection(box_.view()->palette()));
    connect(box_.view()->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ServerBoxStatus::askRowsInView);
}

void ServerBoxStatus::fitListWidth()
{
    prepareList();
    // The list scrolls to its current row while it opens, before it shows
    // what is really in view.
    listOpen_ = false;
    if (!widthStale_)
        return;
    widthStale_ = false;
    QAbstractItemView& view = *box_.view();
    const QFontMetrics metrics = view.fontMetrics();
    // The longest texts are the widest but for a few narrow letters, and a
    // sample of them is enough: at worst an entry's end is elided.
    constexpr int kMeasured = 64;
    const QStringList entries = box_.items();
    qsizetype longest = 0;
    for (const QString& entry : entries)
        longest = std::max(longest, entry.size());
    int entryWidth = 0;
    int measured = 0;
    for (const QString& entry : entries)
        if (entry.size() + 2 >= longest && measured++ < kMeasured)
            entryWidth = std::max(entryWidth, metrics.horizontalAdvance(entry));
    // Past a long entry the status would be out of sight; such entries are elided.
    entryWidth = std::min(entryWidth + metrics.averageCharWidth(), box_.width() * 2);
    delegate_->setEntryWidth(entryWidth);
    view.setMinimumWidth(entryWidth + ui::ServerStatusDelegate::statusWidth(metrics) +
                         view.verticalScrollBar()->sizeHint().width() + 2 * view.frameWidth());
}

void ServerBoxStatus::listShown()
{
    if (!sourceAtHand())
        return;
    listOpen_ = true;
    source_->ask(entriesInView(), StatusSource::Turn::Ahead);
    nextRowOutOfView_ = 0;
    askRowsOutOfView();
}

void ServerBoxStatus::listHidden()
{
    // Servers are asked only while the user looks at the list.
    listOpen_ = false;
    if (source_)
        source_->forgetQueue();
}

void ServerBoxStatus::askRowsOutOfView()
{
    // A slice at a time, each in a turn of the event loop of its own, so a
    // list of thousands keeps the window moving while it is queued.
    constexpr int kSlice = 256;
    const QStringList entries = box_.items();
    if (!listOpen_ || nextRowOutOfView_ >= entries.size())
        return;
    source_->ask(entries.mid(nextRowOutOfView_, kSlice), StatusSource::Turn::Behind);
    nextRowOutOfView_ += kSlice;
    QTimer::singleShot(0, this, &ServerBoxStatus::askRowsOutOfView);
}

void ServerBoxStatus::askRowsInView()
{
    if (!listOpen_ || !box_.view()->isVisible())
        return;
    source_->ask(entriesInView(), StatusSource::Turn::Ahead);
}

QStringList ServerBoxStatus::entriesInView() const
{
    const QAbstractItemView& view = *box_.view();
    const int first = std::max(view.indexAt(QPoint(1, 1)).row(), 0);
    int last = view.indexAt(QPoint(1, view.viewport()->height() - 1)).row();
    if (last < 0)
        last = box_.count() - 1;
    QStringList entries;
    for (int row = first; row <= last; ++row)
        entries.append(box_.itemText(row));
    return entries;
}

void ServerBoxStatus::reportChanged(const QString& entryText)
{
    // One repaint of the rows in view, however many answers came meanwhile.
    if (delegate_ && box_.view()->isVisible())
        box_.view()->viewport()->update();
    if (entryText == box_.currentText() && tipStillOurs())
        showTip();
}

bool ServerBoxStatus::tipStillOurs() const
{
    // Another control's tip may have taken its place, or the pointer moved on.
    return !tipShown_.isEmpty() && QToolTip::isVisible() && QToolTip::text() == tipShown_ &&
           box_.rect().contains(box_.mapFromGlobal(QCursor::pos()));
}

bool ServerBoxStatus::eventFilter(QObject* watched, QEvent* event)
{
    // Without a status source the box has no tip of its own.
    if (event->type() != QEvent::ToolTip || !sourceAtHand())
        return QObject::eventFilter(watched, event);
    tipAt_ = static_cast<QHelpEvent*>(event)->globalPos();
    source_->ask({box_.currentText()}, StatusSource::Turn::Ahead);
    showTip();
    return true;
}

void ServerBoxStatus::showTip()
{
    tipShown_ = ui::serverStatusTip(box_.currentText(), source_->report(box_.currentText()));
    if (!tipShown_.isEmpty())
        QToolTip::showText(tipAt_, tipShown_, &box_);
    else
        QToolTip::hideText();
}

} // namespace app
