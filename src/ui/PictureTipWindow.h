#pragma once

#include "PictureTip.h"

#include <QTimer>
#include <QWidget>

class QLabel;

namespace ui {

// A tool tip that can hold a picture above its text, drawn as the style draws
// its own tool tips. It never takes the focus nor the mouse, and goes away by
// itself after a while as tool tips do.
class PictureTipWindow : public QWidget {
    Q_OBJECT

public:
    explicit PictureTipWindow(QWidget* parent);

    // Shows the content with its top-left corner at `at`, global. Along an
    // edge of the screen it would run over, it turns to the far side of
    // `spared` instead, so what the tip points at stays uncovered.
    void showTip(const PictureTipContent& content, const QPoint& at, const QRect& spared);

private:
    // Where the text may go beside this picture on a screen of this size.
    QSize roomForText(const QPixmap& picture, const QSize& screen) const;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    QLabel* picture_;
    QLabel* text_;
    QTimer expiry_;
};

} // namespace ui
