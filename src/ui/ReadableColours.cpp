#include "ReadableColours.h"

#include <cmath>

namespace ui {
namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour)
{
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

QColor mixed(const QColor& from, const QColor& to, double share)
{
    const auto channel = [&](int a, int b) {
        return int(std::lround(a + (b - a) * share));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background)
{
    if (contrastRatio(colour, background) >= kReadableContrast)
        return colour;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor toward =
        contrastRatio(black, background) > contrastRatio(white, background) ? black : white;
    // The least move that reads, found by halving: contrast grows along the way.
    double low = 0;
    double high = 1;
    for (int step = 0; step < 12; ++step) {
        const double middle = (low + high) / 2;
        (contrastRatio(mixed(colour, toward, middle), background) >= kReadableContrast ? high
                                                                                       : low) =
            middle;
    }
    return mixed(colour, toward, high);
}

QColor quietOn(const QColor& text, const QColor& background)
{
    return readableOn(mixed(text, background, 0.5), background);
}

QPalette withReadableSelection(QPalette palette)
{
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Highlight,
                         readableOn(palette.color(group, QPalette::Highlight),
                                    palette.color(group, QPalette::HighlightedText)));
    return palette;
}

} // namespace ui
