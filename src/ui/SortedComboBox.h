#pragma once

#include <QComboBox>

class QStringListModel;

namespace ui {

// An editable combo box whose list stays sorted as a Windows sorted list does:
// without regard to case, an item added after its equals. Typed text is never
// added to the list or completed, and changing the list leaves the text alone.
class SortedComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit SortedComboBox(QWidget* parent = nullptr);

    void addSortedItem(const QString& text);
    // Replaces the list with these items, in the order adding them one by
    // one would give, but in one go.
    void setSortedItems(QStringList items);
    void clearList();
    // The list's texts in their order, without a trip through the model per row.
    QStringList items() const;
    void showPopup() override;
    void hidePopup() override;

signals:
    // The list is about to drop down, has just done so, and has closed.
    void aboutToShowPopup();
    void popupShown();
    void popupHidden();
    // The user chose an item from the list; committing typed text is not a
    // choice, even when the text equals an item.
    void itemChosen(int index);

private:
    QStringListModel* texts_ = nullptr;
    int committingText_ = 0;
};

} // namespace ui
