#include "GameColours.h"

#include "ReadableColours.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace ui {

QColor gameColour(int colourIndex)
{
    static constexpr QRgb kColours[] = {0x000000, 0xff0000, 0x00ff00, 0xffff00,
                                        0x0000ff, 0x00ffff, 0xff00ff, 0xffffff};
    // The game's own dark blue and black would not read on the backdrop; they
    // are lightened just until they do, the rest are drawn as the game draws them.
    const QColor colour(colourIndex >= 0 && colourIndex < 8 ? kColours[colourIndex] : kColours[7]);
    return readableOn(colour, gameBackdrop());
}

QColor gameBackdrop()
{
    // Near black, as behind the game's own text, and dark enough for its red to read.
    return QColor(0x10, 0x10, 0x10);
}

void drawGameName(QPainter& painter, const QRect& rect,
                  const std::vector<status::ColouredRun>& runs)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int padding = metrics.averageCharWidth() / 2;
    QString whole;
    for (const status::ColouredRun& run : runs)
        whole += run.text;
    const int room = rect.width() - 2 * padding;
    const int width = std::min(metrics.horizontalAdvance(whole), room);
    painter.save();
    painter.fillRect(QRect(rect.left(), rect.top() + 1, width + 2 * padding, rect.height() - 2),
                     gameBackdrop());
    int x = rect.left() + padding;
    const int right = rect.left() + padding + room;
    for (const status::ColouredRun& run : runs) {
        const QString text = metrics.elidedText(run.text, Qt::ElideRight, right - x);
        painter.setPen(gameColour(run.colour));
        painter.drawText(QRect(x, rect.top(), right - x, rect.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        x += metrics.horizontalAdvance(text);
        if (text != run.text || x >= right)
            break;
    }
    painter.restore();
}

QString gameNameHtml(const std::vector<status::ColouredRun>& runs)
{
    QString html;
    for (const status::ColouredRun& run : runs)
        html += QStringLiteral("<span style=\"color:%1\">%2</span>")
                    .arg(gameColour(run.colour).name(), run.text.toHtmlEscaped());
    return html;
}

} // namespace ui
