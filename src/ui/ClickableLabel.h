#pragma once

#include <QLabel>

namespace ui {

// A label that raises a click, as a Windows form's labels do: the button
// goes down and comes up again over the label.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace ui
