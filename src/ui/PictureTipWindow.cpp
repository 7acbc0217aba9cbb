#include "PictureTipWindow.h"

#include "FittedTipText.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStyleOption>
#include <QStylePainter>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {
namespace {

// As long as Qt leaves a tool tip of a few words on the screen.
constexpr int kShownMs = 10000;

QPoint keptOnScreen(const QPoint& at, const QSize& size, const QRect& spared, const QRect& screen)
{
    QPoint place = at;
    if (place.x() + size.width() > screen.x() + screen.width())
        place.setX(spared.left() - size.width());
    if (place.y() + size.height() > screen.y() + screen.height())
        place.setY(spared.top() - size.height());
    // Still too big for either side: the screen matters more than the spared
    // rectangle, and a tip wider than the screen shows its start.
    place.setX(
        std::max(screen.x(), std::min(place.x(), screen.x() + screen.width() - size.width())));
    place.setY(
        std::max(screen.y(), std::min(place.y(), screen.y() + screen.height() - size.height())));
    return place;
}

} // namespace

PictureTipWindow::PictureTipWindow(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput)
    , picture_(new QLabel)
    , text_(new QLabel)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setWindowOpacity(style()->styleHint(QStyle::SH_ToolTipLabel_Opacity, nullptr, this) / 255.0);

    // The margin and indent of Qt's own tip label, so text-only tips match it.
    const int margin = 1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(margin);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    picture_->setAlignment(Qt::AlignCenter);
    // A title with a "<" in it shows as written, never as markup.
    text_->setTextFormat(Qt::PlainText);
    text_->setIndent(1);
    text_->setForegroundRole(QPalette::ToolTipText);
    layout->addWidget(picture_);
    layout->addWidget(text_);

    expiry_.setSingleShot(true);
    expiry_.setInterval(kShownMs);
    connect(&expiry_, &QTimer::timeout, this, &QWidget::hide);
}

void PictureTipWindow::showTip(const PictureTipContent& content, const QPoint& at,
                               const QRect& spared)
{
    const QScreen* screen = QGuiApplication::screenAt(spared.center());
    if (!screen)
        screen = this->screen();
    const QRect available = screen->availableGeometry();

    picture_->setPixmap(content.picture);
    picture_->setVisible(!content.picture.isNull());
    text_->setText(
        fittedTipText(content.text, text_->font(), roomForText(content.picture, available.size())));
    text_->setVisible(!content.text.isEmpty());
    layout()->activate();
    move(keptOnScreen(at, size(), spared, available));
    show();
    expiry_.start();
}

QSize PictureTipWindow::roomForText(const QPixmap& picture, const QSize& screen) const
{
    // A map's long name may run to a thousand characters: it wraps under the
    // levelshot, and the whole tip stays on the screen.
    const QMargins margins = layout()->contentsMargins();
    const int labelExtra = text_->indent() + 2 * text_->margin();
    const int besideText = margins.left() + margins.right() + labelExtra;
    int width = screen.width() - besideText;
    int height = screen.height() - margins.top() - margins.bottom();
    if (!picture.isNull()) {
        const QSize shown = picture.deviceIndependentSize().toSize();
        width = std::min(width, shown.width() - labelExtra);
        height -= shown.height() + layout()->spacing();
    }
    return {width, height};
}

void PictureTipWindow::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    painter.drawPrimitive(QStyle::PE_PanelTipLabel, frame);
}

void PictureTipWindow::resizeEvent(QResizeEvent* event)
{
    // Styles with rounded tips cut the window to their shape.
    QStyleHintReturnMask mask;
    QStyleOption option;
    option.initFrom(this);
    if (style()->styleHint(QStyle::SH_ToolTip_Mask, &option, this, &mask))
        setMask(mask.region);
    QWidget::resizeEvent(event);
}

} // namespace ui
