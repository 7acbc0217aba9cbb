#pragma once

#include <QPushButton>

namespace ui {

// A command button whose caption, when it is too wide for the button, is set
// letter under letter, so a tall narrow button can still be read.
class NarrowButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
