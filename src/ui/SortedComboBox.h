#pragma once

#include <QComboBox>

namespace ui {

// An editable combo box whose list stays sorted as a Windows sorted list does:
// without regard to case, an item added after its equals. Typed text is never
// added to the list or completed, and changing the list leaves the text alone.
class SortedComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit SortedComboBox(QWidget* parent = nullptr);

    void addSortedItem(const QString& text);
    void clearList();
};

} // namespace ui
