#include "FittedTipText.h"

#include <QFontMetrics>
#include <QStringList>
#include <QTextLayout>

#include <algorithm>

namespace ui {
namespace {

constexpr QChar kEllipsis(0x2026);

// The paragraph's lines as wrapping at `width` breaks it, a word longer than
// the width broken inside it.
QStringList wrapped(const QString& paragraph, const QFont& font, int width)
{
    QStringList lines;
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.append(paragraph.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    if (lines.isEmpty())
        lines.append(QString());
    return lines;
}

} // namespace

QString fittedTipText(const QString& text, const QFont& font, const QSize& room)
{
    const QFontMetrics metrics(font);
    const int width = std::max(1, room.width());
    const qsizetype maxLines = std::max(1, room.height() / metrics.lineSpacing());
    QStringList lines;
    bool cut = false;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        lines.append(wrapped(paragraph, font, width));
        if (lines.size() > maxLines) {
            cut = true;
            lines.resize(maxLines);
            break;
        }
    }
    if (cut) {
        QString& last = lines.last();
        while (!last.isEmpty() && metrics.horizontalAdvance(last + kEllipsis) > width)
            last.chop(1);
        last += kEllipsis;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace ui
