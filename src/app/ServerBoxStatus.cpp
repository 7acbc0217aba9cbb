#include "ServerBoxStatus.h"

#include "ui/ServerStatusDelegate.h"
#include "ui/ServerStatusTip.h"
#include "ui/SortedComboBox.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

namespace app {

ServerBoxStatus::ServerBoxStatus(ui::SortedComboBox& box, status::StatusBoard::Limits limits)
    : QObject(&box)
    , box_(box)
    , board_(limits)
{
    delegate_ = new ui::ServerStatusDelegate(
        [this](const QString& entry) { return board_.report(entry); }, this);
    box_.view()->setItemDelegate(delegate_);
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
    connect(&box_, &ui::SortedComboBox::popupHidden, this, [this] { listOpen_ = false; });
    connect(box_.view()->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ServerBoxStatus::askRowsInView);
    connect(&board_, &status::StatusBoard::changed, this, &ServerBoxStatus::reportChanged);
}

void ServerBoxStatus::fitListWidth()
{
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
    listOpen_ = true;
    board_.ask(entriesInView());
    nextRowOutOfView_ = 0;
    askRowsOutOfView();
}

void ServerBoxStatus::askRowsOutOfView()
{
    // A slice at a time, each in a turn of the event loop of its own, so a
    // list of thousands keeps the window moving while it is queued.
    constexpr int kSlice = 256;
    const QStringList entries = box_.items();
    if (!listOpen_ || nextRowOutOfView_ >= entries.size())
        return;
    board_.ask(entries.mid(nextRowOutOfView_, kSlice), status::StatusBoard::Turn::Behind);
    nextRowOutOfView_ += kSlice;
    QTimer::singleShot(0, this, &ServerBoxStatus::askRowsOutOfView);
}

void ServerBoxStatus::askRowsInView()
{
    if (!listOpen_ || !box_.view()->isVisible())
        return;
    board_.ask(entriesInView());
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
    if (box_.view()->isVisible())
        box_.view()->viewport()->update();
    if (tipShown_ && QToolTip::isVisible() && entryText == box_.currentText())
        showTip();
}

bool ServerBoxStatus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    tipAt_ = static_cast<QHelpEvent*>(event)->globalPos();
    board_.ask({box_.currentText()});
    showTip();
    return true;
}

void ServerBoxStatus::showTip()
{
    const QString tip = ui::serverStatusTip(box_.currentText(), board_.report(box_.currentText()));
    tipShown_ = !tip.isEmpty();
    if (tipShown_)
        QToolTip::showText(tipAt_, tip, &box_);
    else
        QToolTip::hideText();
}

} // namespace app
