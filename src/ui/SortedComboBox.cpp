#include "SortedComboBox.h"

#include "CaseInsensitiveOrder.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringListModel>

namespace ui {

SortedComboBox::SortedComboBox(QWidget* parent)
    : QComboBox(parent)
{
    // Qt turns committed text that equals an item into an activation, from
    // its own handlers of the edit's returnPressed and editingFinished: Enter
    // to the box or straight to its edit, Tab, a click elsewhere, the window
    // or the popup taking the focus. Slots run in the order they were
    // connected, so an edit of ours, hooked before Qt connects to it and again
    // after, brackets those handlers whichever way the commit came; the
    // activations inside them are not choices.
    auto* edit = new QLineEdit(this);
    const auto commitSignals = {&QLineEdit::returnPressed, &QLineEdit::editingFinished};
    for (const auto signal : commitSignals)
        connect(edit, signal, this, [this] { ++committingText_; });
    // Editable from here on: setEditable(true) would make an edit of its own
    // first, only for this one to replace it.
    setLineEdit(edit);
    for (const auto signal : commitSignals)
        connect(edit, signal, this, [this] { --committingText_; });
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (committingText_ == 0)
            emit itemChosen(index);
    });

    // A list model takes a sorted list as it is, where the standard model
    // would make an item object of each entry.
    texts_ = new QStringListModel(this);
    setModel(texts_);
    setInsertPolicy(QComboBox::NoInsert);
    // setLineEdit gives the edit a completer; matching typed text to the list
    // case-sensitively (as Qt does without one) keeps the typed text as it is.
    setCompleter(nullptr);
}

void SortedComboBox::addSortedItem(const QString& text)
{
    int position = 0;
    while (position < count() && itemText(position).compare(text, Qt::CaseInsensitive) <= 0)
        ++position;
    const QString editText = currentText();
    const bool hadNoChoice = currentIndex() < 0;
    // Qt selects the first item added to an empty list and shows its text;
    // a Windows list does not, so that choice is undone unnoticed.
    const QSignalBlocker blocker(this);
    insertItem(position, text);
    if (hadNoChoice && currentIndex() >= 0) {
        setCurrentIndex(-1);
        setEditText(editText);
    }
}

void SortedComboBox::setSortedItems(QStringList items)
{
    // Adding one by one walks the list each time, which for a server list of
    // many thousand entries keeps the window from opening for minutes.
    // Equals keep the order given, as adding them would.
    sortIgnoringCase(items, CaseTies::KeepGivenOrder);
    const QString editText = currentText();
    const QSignalBlocker blocker(this);
    texts_->setStringList(items);
    // Filling an empty list chooses its first item; a Windows list does not.
    setCurrentIndex(-1);
    setEditText(editText);
}

void SortedComboBox::clearList()
{
    const QString editText = currentText();
    const QSignalBlocker blocker(this);
    clear();
    setEditText(editText);
}

QStringList SortedComboBox::items() const
{
    return texts_->stringList();
}

void SortedComboBox::showPopup()
{
    emit aboutToShowPopup();
    QComboBox::showPopup();
    emit popupShown();
}

void SortedComboBox::hidePopup()
{
    QComboBox::hidePopup();
    emit popupHidden();
}

} // namespace ui
