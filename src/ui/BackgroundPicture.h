#pragma once

#include <QLabel>

namespace ui {

// A window's background picture, drawn unscaled at its top left corner under
// all the controls.
class BackgroundPicture : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
