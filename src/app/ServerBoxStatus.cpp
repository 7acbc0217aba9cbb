#include "ServerBoxStatus.h"

#include "ui/ServerStatusDelegate.h"
#include "ui/ServerStatusTip.h"
#include "ui/SortedComboBox.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QScrollBar>
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
    connect(&box_, &ui::SortedComboBox::popupShown, this, &ServerBoxStatus::listShown);
    connect(box_.view()->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ServerBoxStatus::askRowsInView);
    connect(&board_, &status::StatusBoard::changed, this, &ServerBoxStatus::reportChanged);
}

void ServerBoxStatus::fitListWidth()
{
    // The list scrolls to its current row while it opens, before it shows
    // what is really in view.
    listOpen_ = false;
    QAbstractItemView& view = *box_.view();
    int entryWidth = 0;
    for (int row = 0; row < box_.count(); ++row)
        entryWidth = std::max(entryWidth, view.fontMetrics().horizontalAdvance(box_.itemText(row)));
    // Past a long entry the status would be out of sight; such entries are elided.
    entryWidth = std::min(entryWidth + view.fontMetrics().averageCharWidth(), box_.width() * 2);
    delegate_->setEntryWidth(entryWidth);
    const int wanted = entryWidth + ui::ServerStatusDelegate::statusWidth(view.fontMetrics()) +
                       view.verticalScrollBar()->sizeHint().width() + 2 * view.frameWidth();
    view.setMinimumWidth(wanted);
}

void ServerBoxStatus::listShown()
{
    listOpen_ = true;
    QStringList entries = entriesInView();
    for (int row = 0; row < box_.count(); ++row)
        entries.append(box_.itemText(row));
    board_.ask(entries);
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
