// Draws every picture the launcher shows, so none of them has to come from elsewhere and all
// of them can be redrawn from this file alone. The output is repeatable: random texture comes
// from fixed start values and nothing depends on the time. Text wants Liberation Sans (else
// DejaVu Sans), so the same fonts give the same pictures.

#include <QByteArray>
#include <QColor>
#include <QConicalGradient>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QString>
#include <QTransform>

#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <numbers>

namespace {

constexpr int kBackgroundWidth = 417;
constexpr int kBackgroundHeight = 314;
constexpr int kAboutSize = 512;
constexpr int kJpegQuality = 90;

// Where the main window's real controls lie. The picture seats them in recesses and keeps its
// captions and ornaments clear of them; the server box and its button sit in the option well.
namespace control {
constexpr QRectF kDirectory(16, 22, 196, 19);
constexpr QRectF kBrowse(212, 23, 14, 19);
constexpr QRectF kPlayerName(48, 88, 145, 19);
constexpr QRectF kEnhanced(17, 102, 11, 48);
constexpr QRectF kPlayerModel(48, 136, 145, 21);
constexpr QRectF kMapList(240, 136, 161, 84);
constexpr QRectF kStartGame(8, 184, 105, 33);
constexpr QRectF kSaveSettings(112, 184, 113, 33);
constexpr QRectF kCommandLine(8, 248, 393, 35);
} // namespace control

// The dark well on the right carries the green check box labels, so it is kept free of texture.
constexpr QRectF kOptionWell(234, 21, 172, 206);
// The credit line and version link lie here in green, cyan and dark red.
constexpr QRectF kCreditStrip(2, 289, 413, 23);

QColor grey(int level, int alpha = 255)
{
    return QColor(level, level, level, alpha);
}

QColor withAlpha(QColor colour, qreal alpha)
{
    colour.setAlphaF(alpha);
    return colour;
}

const QColor kGlow(255, 84, 24);
const QColor kGlowHot(255, 190, 120);

// Unhinted, so that glyphs keep the same shapes and advances at double size.
QFont boldSans(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// A chrome-like ramp: bright sky above, a dark horizon line, a softer reflection below. Small
// renderings leave the horizon out, since there it only breaks the shape apart.
QLinearGradient chrome(qreal top, qreal bottom, qreal shade, bool horizon = true)
{
    QLinearGradient gradient(0, top, 0, bottom);
    auto tone = [shade](int level) {
        return grey(qBound(0, qRound(level * shade), 255));
    };
    gradient.setColorAt(0.0, tone(250));
    if (horizon) {
        gradient.setColorAt(0.42, tone(196));
        gradient.setColorAt(0.50, tone(86));
        gradient.setColorAt(0.60, tone(128));
        gradient.setColorAt(1.0, tone(222));
    } else {
        gradient.setColorAt(1.0, tone(176));
    }
    return gradient;
}

// Fine horizontal streaks in the logical coordinate system, so that the double-size picture gets
// the same streaks at twice the sharpness instead of a blurred copy.
void brush(QPainter& painter, const QRectF& area, QRandomGenerator& generator, qreal strength)
{
    painter.save();
    painter.setClipRect(area);
    for (qreal y = area.top(); y < area.bottom(); y += 0.5) {
        const int tone = generator.bounded(-3, 4);
        const QColor rowColour = tone > 0 ? grey(255) : grey(0);
        painter.setPen(QPen(withAlpha(rowColour, std::abs(tone) * 0.012 * strength), 0.5));
        painter.drawLine(QPointF(area.left(), y + 0.25), QPointF(area.right(), y + 0.25));
        const int streaks = generator.bounded(2, 6);
        for (int i = 0; i < streaks; ++i) {
            const qreal x = area.left() + generator.bounded(area.width());
            const qreal length = 6 + generator.bounded(70.0);
            const bool light = generator.bounded(2) == 1;
            const qreal alpha = (0.03 + generator.bounded(0.07)) * strength;
            painter.setPen(QPen(withAlpha(light ? grey(255) : grey(0), alpha), 0.5));
            painter.drawLine(QPointF(x, y + 0.25), QPointF(x + length, y + 0.25));
        }
    }
    painter.restore();
}

// Light falls from the top left, so a raised edge is light there and dark opposite; a sunken
// edge the other way round.
void bevel(QPainter& painter, const QRectF& r, qreal width, const QColor& topLeft,
           const QColor& bottomRight)
{
    const qreal l = r.left(), t = r.top(), rr = r.right(), b = r.bottom(), w = width;
    QPolygonF upper;
    upper << QPointF(l, t) << QPointF(rr, t) << QPointF(rr - w, t + w) << QPointF(l + w, t + w)
          << QPointF(l + w, b - w) << QPointF(l, b);
    QPolygonF lower;
    lower << QPointF(rr, t) << QPointF(rr, b) << QPointF(l, b) << QPointF(l + w, b - w)
          << QPointF(rr - w, b - w) << QPointF(rr - w, t + w);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(topLeft);
    painter.drawPolygon(upper);
    painter.setBrush(bottomRight);
    painter.drawPolygon(lower);
    painter.restore();
}

// A machined recess a control sits in; only its rim shows around the control.
void seat(QPainter& painter, const QRectF& controlRect, qreal margin = 2)
{
    const QRectF outer = controlRect.adjusted(-margin, -margin, margin, margin);
    painter.fillRect(outer, QColor(24, 26, 30));
    bevel(painter, outer, 1, grey(8, 220), grey(170, 150));
}

void rivet(QPainter& painter, QPointF centre, qreal radius = 2.4)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(grey(0, 150));
    painter.drawEllipse(centre + QPointF(0.25, 0.33) * radius, radius * 1.12, radius * 1.12);
    QRadialGradient head(centre, radius, centre - QPointF(radius * 0.45, radius * 0.5));
    head.setColorAt(0.0, grey(236));
    head.setColorAt(0.45, QColor(136, 143, 152));
    head.setColorAt(1.0, QColor(40, 43, 48));
    painter.setBrush(head);
    painter.setPen(QPen(grey(0, 150), radius * 0.17));
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}

// Engraved captions for the text boxes, which have no labels of their own.
void caption(QPainter& painter, QPointF baseline, const QString& text)
{
    QFont font = boldSans(9);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.7);
    painter.save();
    painter.setFont(font);
    painter.setPen(grey(0, 200));
    painter.drawText(baseline + QPointF(0.6, 0.8), text);
    painter.setPen(QColor(196, 203, 211));
    painter.drawText(baseline, text);
    painter.restore();
}

// A soft halo built from ever wider, faint strokes, which keeps its shape at any scale.
void glow(QPainter& painter, const QPainterPath& path, const QColor& colour, qreal radius,
          qreal strength = 0.5, int steps = 10)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const qreal perStep = 1 - std::pow(1 - strength, 1.0 / steps);
    for (int i = steps; i >= 1; --i) {
        painter.setPen(QPen(withAlpha(colour, perStep), 2 * radius * i / steps, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
    painter.restore();
}

// A slot with a thin light line inside, like a lamp behind a cut in the plate.
void lightSlot(QPainter& painter, const QRectF& slot)
{
    painter.fillRect(slot, grey(8));
    bevel(painter, slot, 1, grey(0, 220), grey(130, 150));
    const qreal y = slot.center().y();
    QLinearGradient fade(slot.left(), 0, slot.right(), 0);
    fade.setColorAt(0.0, withAlpha(kGlow, 0));
    fade.setColorAt(0.15, withAlpha(kGlow, 0.9));
    fade.setColorAt(0.85, withAlpha(kGlow, 0.9));
    fade.setColorAt(1.0, withAlpha(kGlow, 0));
    painter.save();
    painter.setClipRect(slot.adjusted(1, 1, -1, -1));
    painter.setPen(QPen(QBrush(fade), 1.2));
    painter.drawLine(QPointF(slot.left() + 2, y), QPointF(slot.right() - 2, y));
    QLinearGradient core(slot.left(), 0, slot.right(), 0);
    core.setColorAt(0.0, withAlpha(kGlowHot, 0));
    core.setColorAt(0.5, withAlpha(kGlowHot, 0.8));
    core.setColorAt(1.0, withAlpha(kGlowHot, 0));
    painter.setPen(QPen(QBrush(core), 0.5));
    painter.drawLine(QPointF(slot.left() + 2, y), QPointF(slot.right() - 2, y));
    painter.restore();
}

// The emblem's V in a unit circle; its facets meet on a ridge down each arm.
struct VShape {
    QPointF outerLeft{-0.56, -0.50};
    QPointF innerLeft{-0.24, -0.40};
    QPointF notch{0.0, 0.10};
    QPointF innerRight{0.24, -0.40};
    QPointF outerRight{0.56, -0.50};
    QPointF tipRight{0.08, 0.50};
    QPointF tipLeft{-0.08, 0.50};
    QPointF tip{0.0, 0.50};

    QPainterPath outline() const
    {
        QPainterPath path;
        path.addPolygon(QPolygonF{outerLeft, innerLeft, notch, innerRight, outerRight, tipRight,
                                  tipLeft, outerLeft});
        path.closeSubpath();
        return path;
    }
    QPointF leftRidge() const { return (outerLeft + innerLeft) / 2; }
    QPointF rightRidge() const { return (outerRight + innerRight) / 2; }
};

QPainterPath facet(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

enum class Detail { Small, Large };

void drawV(QPainter& painter, const VShape& v, Detail detail)
{
    const bool large = detail == Detail::Large;
    const QPainterPath outline = v.outline();
    glow(painter, outline, kGlow, large ? 0.12 : 0.07, large ? 0.75 : 0.6, 14);

    painter.setPen(Qt::NoPen);
    painter.setBrush(grey(0, 200));
    painter.drawPath(outline.translated(0.025, 0.04));

    const qreal top = v.outerLeft.y(), bottom = v.tip.y();
    painter.setBrush(chrome(top, bottom, 1.0, large));
    painter.drawPath(facet({v.outerLeft, v.leftRidge(), v.tip, v.tipLeft}));
    painter.setBrush(chrome(top, bottom, 0.80, large));
    painter.drawPath(facet({v.leftRidge(), v.innerLeft, v.notch, v.tip}));
    painter.setBrush(chrome(top, bottom, 0.90, large));
    painter.drawPath(facet({v.notch, v.innerRight, v.rightRidge(), v.tip}));
    painter.setBrush(chrome(top, bottom, 0.58, large));
    painter.drawPath(facet({v.rightRidge(), v.outerRight, v.tipRight, v.tip}));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(grey(10, 220), large ? 0.018 : 0.04, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPath(outline);
    painter.setPen(QPen(grey(255, 230), 0.014, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(v.outerLeft, v.innerLeft);
    painter.drawLine(v.innerRight, v.outerRight);
}

void screwHead(QPainter& painter, QPointF centre, qreal radius, qreal angle)
{
    rivet(painter, centre, radius);
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    painter.setPen(QPen(grey(20, 220), radius * 0.28, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(-radius * 0.75, 0), QPointF(radius * 0.75, 0));
    painter.restore();
}

// The emblem: a chrome V over a dark face, ringed by an orange-red light and a steel bezel.
// Only large renderings have room for bezel screws and a finely shaded V.
void drawEmblem(QPainter& painter, QPointF centre, qreal radius, Detail detail)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(centre);
    painter.scale(radius, radius);

    QRadialGradient shadow(QPointF(0.05, 0.08), 1.12);
    shadow.setColorAt(0.82, grey(0, 170));
    shadow.setColorAt(1.0, grey(0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawEllipse(QPointF(0.05, 0.08), 1.12, 1.12);

    QConicalGradient bezel(QPointF(0, 0), 120);
    const std::array<int, 9> bezelTones{228, 92, 170, 60, 205, 78, 150, 70, 228};
    for (std::size_t i = 0; i < bezelTones.size(); ++i)
        bezel.setColorAt(static_cast<qreal>(i) / (bezelTones.size() - 1),
                         QColor(bezelTones[i] - 6, bezelTones[i], bezelTones[i] + 8));
    painter.setBrush(bezel);
    painter.setPen(QPen(grey(8, 230), 0.03));
    painter.drawEllipse(QPointF(0, 0), 0.985, 0.985);

    QLinearGradient rim(-0.7, -0.7, 0.7, 0.7);
    rim.setColorAt(0.0, grey(255, 200));
    rim.setColorAt(0.5, grey(128, 0));
    rim.setColorAt(1.0, grey(0, 200));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(rim), 0.035));
    painter.drawEllipse(QPointF(0, 0), 0.95, 0.95);

    if (detail == Detail::Large) {
        for (int i = 0; i < 4; ++i) {
            const qreal angle = (45 + 90 * i) * std::numbers::pi / 180;
            screwHead(painter, QPointF(std::cos(angle), std::sin(angle)) * 0.885, 0.045,
                      30 + 50 * i);
        }
    }

    painter.setPen(Qt::NoPen);
    painter.setBrush(grey(4));
    painter.drawEllipse(QPointF(0, 0), 0.815, 0.815);
    QPainterPath ring;
    ring.addEllipse(QPointF(0, 0), 0.785, 0.785);
    glow(painter, ring, kGlow, 0.05, 0.9, 8);
    painter.setPen(QPen(withAlpha(kGlowHot, 0.9), 0.012));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(ring);

    QRadialGradient face(QPointF(0, 0), 0.76, QPointF(-0.28, -0.34));
    face.setColorAt(0.0, QColor(50, 55, 62));
    face.setColorAt(0.55, QColor(22, 24, 28));
    face.setColorAt(1.0, QColor(6, 7, 9));
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawEllipse(QPointF(0, 0), 0.76, 0.76);
    QRadialGradient innerShadow(QPointF(0, 0), 0.76);
    innerShadow.setColorAt(0.86, grey(0, 0));
    innerShadow.setColorAt(1.0, grey(0, 190));
    painter.setBrush(innerShadow);
    painter.drawEllipse(QPointF(0, 0), 0.76, 0.76);

    drawV(painter, VShape{}, detail);
    painter.restore();
}

// "VORTLINE" as raised chrome letters, fitted to `box` (its height is the capital height).
void drawLogotype(QPainter& painter, const QRectF& box)
{
    const QString name = QStringLiteral("VORTLINE");
    QFont font = boldSans(100);
    QPainterPath reference;
    reference.addText(0, 0, font, name);
    const QRectF bounds = reference.boundingRect();

    // Letters keep their proportions to the box height; the width is met by spreading them.
    const qreal scale = box.height() / bounds.height();
    const qreal spread = (box.width() / scale - bounds.width()) / (name.size() - 1);
    font.setLetterSpacing(QFont::AbsoluteSpacing, spread);
    QPainterPath letters;
    letters.addText(0, 0, font, name);
    const QRectF spaced = letters.boundingRect();
    QTransform fit;
    fit.translate(box.left(), box.top());
    fit.scale(scale, scale);
    fit.translate(-spaced.left(), -spaced.top());
    letters = fit.map(letters);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = box.height() / 18;
    painter.setPen(QPen(grey(0, 90), 2.2 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(grey(0, 200));
    painter.drawPath(letters.translated(1.1 * unit, 1.5 * unit));

    painter.setPen(Qt::NoPen);
    painter.setBrush(grey(245));
    painter.drawPath(letters);
    painter.setBrush(chrome(box.top(), box.bottom(), 0.95));
    painter.drawPath(letters.translated(0, 0.7 * unit) & letters);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(grey(12, 230), 0.6 * unit));
    painter.drawPath(letters);
    painter.restore();
}

void drawBackground(QPainter& painter)
{
    QRandomGenerator generator(1999);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF whole(0, 0, kBackgroundWidth, kBackgroundHeight);
    const QRectF plate = whole.adjusted(2, 2, -2, -2);
    QLinearGradient plateTone(0, plate.top(), 0, plate.bottom());
    plateTone.setColorAt(0.0, QColor(72, 77, 84));
    plateTone.setColorAt(0.5, QColor(56, 60, 66));
    plateTone.setColorAt(1.0, QColor(40, 43, 48));
    painter.fillRect(whole, plateTone);
    brush(painter, plate, generator, 1.0);
    QRadialGradient sheen(QPointF(110, 40), 260);
    sheen.setColorAt(0.0, grey(255, 26));
    sheen.setColorAt(1.0, grey(255, 0));
    painter.fillRect(plate, sheen);
    bevel(painter, whole, 2, grey(130), grey(10));

    // The well for the option labels: dark and even, so green text reads on it.
    QLinearGradient wellTone(0, kOptionWell.top(), 0, kOptionWell.bottom());
    wellTone.setColorAt(0.0, QColor(22, 25, 30));
    wellTone.setColorAt(1.0, QColor(14, 16, 19));
    painter.fillRect(kOptionWell, wellTone);
    bevel(painter, kOptionWell, 2, grey(0, 230), grey(140, 170));
    QLinearGradient accent(kOptionWell.left(), 0, kOptionWell.right(), 0);
    accent.setColorAt(0.0, withAlpha(kGlow, 0));
    accent.setColorAt(0.5, withAlpha(kGlow, 0.75));
    accent.setColorAt(1.0, withAlpha(kGlow, 0));
    painter.setPen(QPen(QBrush(accent), 0.8));
    painter.drawLine(QPointF(kOptionWell.left() + 4, kOptionWell.top() + 2.6),
                     QPointF(kOptionWell.right() - 4, kOptionWell.top() + 2.6));
    // A faint groove parts the check boxes from the map list.
    painter.setPen(QPen(grey(0, 200), 1));
    painter.drawLine(QPointF(240, 121.5), QPointF(400, 121.5));
    painter.setPen(QPen(grey(90, 90), 1));
    painter.drawLine(QPointF(240, 122.5), QPointF(400, 122.5));

    // The credit strip: near black and neutral, so the dark red version link stays legible.
    painter.fillRect(kCreditStrip, QColor(10, 11, 13));
    bevel(painter, kCreditStrip, 1, grey(0, 230), grey(120, 160));

    for (const QRectF& r : {control::kDirectory.united(control::kBrowse), control::kPlayerName,
                            control::kPlayerModel, control::kEnhanced, control::kCommandLine})
        seat(painter, r);
    seat(painter, control::kStartGame.united(control::kSaveSettings), 3);
    seat(painter, control::kMapList);

    // The command line belongs to no group above it, so a seam sets it apart.
    painter.setPen(QPen(grey(0, 170), 1));
    painter.drawLine(QPointF(3, 229.5), QPointF(232, 229.5));
    painter.setPen(QPen(grey(160, 110), 1));
    painter.drawLine(QPointF(3, 230.5), QPointF(232, 230.5));

    lightSlot(painter, QRectF(10, 168, 214, 5));

    // Vents give the free column beside the name boxes some purpose without inviting the eye.
    for (qreal y = 84; y < 156; y += 6) {
        const QRectF slot(203, y, 24, 3);
        painter.fillRect(slot, grey(6));
        bevel(painter, slot, 1, grey(0, 220), grey(150, 140));
    }

    for (QPointF at :
         {QPointF(7, 7), QPointF(228, 7), QPointF(410, 7), QPointF(22.5, 90), QPointF(22.5, 160),
          QPointF(7, 225), QPointF(230, 225), QPointF(410, 230), QPointF(410, 282)})
        rivet(painter, at);

    caption(painter, QPointF(16, 17), QStringLiteral("QUAKE III ARENA DIRECTORY"));
    caption(painter, QPointF(48, 83), QStringLiteral("PLAYER NAME"));
    caption(painter, QPointF(48, 131), QStringLiteral("PLAYER MODEL"));
    caption(painter, QPointF(240, 131), QStringLiteral("MAP"));
    caption(painter, QPointF(8, 243), QStringLiteral("COMMAND LINE"));

    drawEmblem(painter, QPointF(59, 59.5), 14, Detail::Small);
    drawLogotype(painter, QRectF(81, 50.5, 147, 18.5));
}

QImage renderBackground(int scale)
{
    QImage image(kBackgroundWidth * scale, kBackgroundHeight * scale, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.scale(scale, scale);
    drawBackground(painter);
    painter.end();
    return image;
}

QImage renderAbout()
{
    QImage image(kAboutSize, kAboutSize, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator generator(512);
    const QRectF whole(0, 0, kAboutSize, kAboutSize);
    QRadialGradient backdrop(QPointF(256, 220), 360, QPointF(200, 150));
    backdrop.setColorAt(0.0, QColor(58, 63, 70));
    backdrop.setColorAt(0.6, QColor(28, 31, 35));
    backdrop.setColorAt(1.0, QColor(10, 11, 13));
    painter.fillRect(whole, backdrop);
    brush(painter, whole, generator, 0.8);
    bevel(painter, whole, 6, grey(120), grey(6));
    for (QPointF at : {QPointF(22, 22), QPointF(490, 22), QPointF(22, 490), QPointF(490, 490)})
        rivet(painter, at, 7);

    drawEmblem(painter, QPointF(256, 222), 190, Detail::Large);
    drawLogotype(painter, QRectF(86, 436, 340, 44));
    painter.end();
    return image;
}

QImage renderIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawEmblem(painter, QPointF(size / 2.0, size / 2.0), size / 2.0 - 0.5, Detail::Small);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The standard 16-colour palette, in the order 4-bit Windows bitmaps number it.
constexpr std::array<QRgb, 16> kVgaPalette{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xc0c0c0,
    0x808080, 0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff};

// The 16 x 16 icon placed by hand: at this size a drawn and reduced emblem would only blur.
// Each character is a palette index in hexadecimal; '.' is transparent.
// 0 black, 1 dark red, 7 light grey, 8 dark grey, 9 red, F white.
// clang-format off
constexpr std::array<const char*, 16> kIconPixels{
    ".....777777.....",
    "...7799999977...",
    "..799000000998..",
    ".79FF7000077898.",
    ".79FF7000077898.",
    "7900FF7007780018",
    "7900FF7007780018",
    "79000FF777800018",
    "79000FF777800018",
    "790000F778000018",
    "790000F778000018",
    ".79000078000018.",
    ".79000000000018.",
    "..899000000118..",
    "...8811111188...",
    ".....888888.....",
};
// clang-format on

int paletteIndex(char pixel)
{
    return pixel == '.' ? 0 : QByteArray(1, pixel).toInt(nullptr, 16);
}

void appendLittleEndian(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

// QImage cannot write a 4-bit icon, and the icon is meant for 16-colour displays too, so the
// file is laid out here: directory, bitmap header, palette, colour bits, transparency mask.
QByteArray sixteenColourIcon()
{
    constexpr int kSide = 16;
    constexpr int kColourRowBytes = kSide / 2;
    constexpr int kMaskRowBytes = 4;
    constexpr int kHeaderBytes = 40;
    constexpr int kPaletteBytes = 16 * 4;
    constexpr int kImageBytes =
        kHeaderBytes + kPaletteBytes + kSide * kColourRowBytes + kSide * kMaskRowBytes;
    constexpr int kDirectoryBytes = 6 + 16;

    // One icon, so the directory has one entry, and the image follows right after it.
    QByteArray out;
    appendLittleEndian(out, 0, 2);
    appendLittleEndian(out, 1, 2);
    appendLittleEndian(out, 1, 2);

    appendLittleEndian(out, kSide, 1);
    appendLittleEndian(out, kSide, 1);
    appendLittleEndian(out, 16, 1);
    appendLittleEndian(out, 0, 1);
    appendLittleEndian(out, 1, 2);
    appendLittleEndian(out, 4, 2);
    appendLittleEndian(out, kImageBytes, 4);
    appendLittleEndian(out, kDirectoryBytes, 4);

    // The bitmap is twice as high as the icon: colour bits, then the mask.
    appendLittleEndian(out, kHeaderBytes, 4);
    appendLittleEndian(out, kSide, 4);
    appendLittleEndian(out, 2 * kSide, 4);
    appendLittleEndian(out, 1, 2);
    appendLittleEndian(out, 4, 2);
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, kSide * (kColourRowBytes + kMaskRowBytes), 4);
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, 0, 4);

    for (QRgb colour : kVgaPalette) {
        out.append(static_cast<char>(qBlue(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qRed(colour)));
        out.append('\0');
    }

    // Bitmap rows run from the bottom up.
    for (int y = kSide - 1; y >= 0; --y) {
        const char* row = kIconPixels[y];
        for (int x = 0; x < kSide; x += 2)
            out.append(static_cast<char>(paletteIndex(row[x]) << 4 | paletteIndex(row[x + 1])));
    }
    for (int y = kSide - 1; y >= 0; --y) {
        quint32 bits = 0;
        for (int x = 0; x < kSide; ++x) {
            if (kIconPixels[y][x] == '.')
                bits |= 0x80000000u >> x;
        }
        for (int i = 3; i >= 0; --i)
            out.append(static_cast<char>((bits >> (8 * i)) & 0xff));
    }
    Q_ASSERT(out.size() == kDirectoryBytes + kImageBytes);
    return out;
}

// The same pixels as a PNG, for desktops that take their menu icons from PNG files only.
QImage sixteenColourIconImage()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const char pixel = kIconPixels[y][x];
            image.setPixel(x, y,
                           pixel == '.' ? qRgba(0, 0, 0, 0)
                                        : (kVgaPalette[paletteIndex(pixel)] | 0xff000000u));
        }
    }
    return image;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool report(bool written, const QString& path)
{
    std::fprintf(written ? stdout : stderr, "%s %s\n", written ? "wrote" : "could not write",
                 qPrintable(QDir::toNativeSeparators(path)));
    return written;
}

} // namespace

int main(int argc, char* argv[])
{
    // Text needs a platform plugin; the offscreen one needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    if (argc != 2) {
        std::fprintf(stderr, "usage: drawpictures OUTPUT-DIRECTORY\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = true;
    auto saveJpeg = [&](const QImage& image, const QString& name) {
        const QString path = out.filePath(name);
        ok = report(image.save(path, "JPG", kJpegQuality), path) && ok;
    };
    saveJpeg(renderBackground(1), QStringLiteral("background.jpg"));
    saveJpeg(renderBackground(2), QStringLiteral("background@2x.jpg"));
    saveJpeg(renderAbout(), QStringLiteral("about.jpg"));

    const QString iconPath = out.filePath(QStringLiteral("vortline.ico"));
    ok = report(writeFile(iconPath, sixteenColourIcon()), iconPath) && ok;
    const QString pngIconPath = out.filePath(QStringLiteral("vortline.png"));
    ok = report(sixteenColourIconImage().save(pngIconPath, "PNG"), pngIconPath) && ok;
    const QString largeIconPath = out.filePath(QStringLiteral("vortline@2x.png"));
    ok = report(renderIcon(32).save(largeIconPath, "PNG"), largeIconPath) && ok;
    return ok ? 0 : 1;
}
