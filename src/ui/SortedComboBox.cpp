#include "SortedComboBox.h"

#include <QSignalBlocker>

namespace ui {

SortedComboBox::SortedComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
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

void SortedComboBox::clearList()
{
    const QString editText = currentText();
    const QSignalBlocker blocker(this);
    clear();
    setEditText(editText);
}

} // namespace ui
