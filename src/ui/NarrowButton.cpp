#include "NarrowButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace ui {

void NarrowButton::paintEvent(QPaintEvent* event)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect textArea = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (fontMetrics().horizontalAdvance(text()) <= textArea.width()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    QStringList letters;
    for (const QChar letter : text())
        letters.append(letter);
    // The button's whole width: its frame leaves too little room for a letter.
    painter.drawItemText(rect(), Qt::AlignCenter, palette(), isEnabled(),
                         letters.join(QLatin1Char('\n')), QPalette::ButtonText);
}

} // namespace ui
