#pragma once

#include <QCheckBox>

namespace ui {

// A check box holding 0 (unchecked), 1 (checked) or 2 (greyed). A user's
// click toggles between 0 and 1; only code sets 2.
class ValueCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit ValueCheckBox(QWidget* parent = nullptr);

    int value() const;
    // Refuses, and changes nothing, for anything but 0, 1 or 2.
    bool setValue(int value);

signals:
    // Emitted whenever the value changes, by the user or by code.
    void valueChanged(int value);

protected:
    void nextCheckState() override;
};

} // namespace ui
