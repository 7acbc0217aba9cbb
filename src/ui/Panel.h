#pragma once

#include <QFrame>

namespace ui {

// A panel whose position is kept in twips as the single-precision number it
// was given. The widget sits at the nearest pixel, and reading the position
// back gives the number that was set, so a slide that steps in twips ends
// exactly on its bound.
class Panel : public QFrame {
    Q_OBJECT

public:
    using QFrame::QFrame;

    void setTwipsGeometry(float left, float top, int width, int height);

    float left() const { return left_; }
    void setLeft(float twips);
    float top() const { return top_; }
    void setTop(float twips);

private:
    void moveToTwips();

    float left_ = 0;
    float top_ = 0;
};

} // namespace ui
