#include "Artwork.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace gp::skin {

namespace {

const QColor kInk(0x24, 0x37, 0x46);
const QColor kTeal(0x33, 0x65, 0x8a);
const QColor kTealLight(0xe3, 0xee, 0xf6);
const QColor kAccent(0xf2, 0x64, 0x19);
const QColor kAccentLight(0xf5, 0x85, 0x49);
const QColor kAccentDark(0xc9, 0x4f, 0x0e);
const QColor kCard(0xff, 0xff, 0xff);
const QColor kBorder(0xc5, 0xd0, 0xdb);
const QColor kHeader(0x2f, 0x48, 0x58);

QImage canvas(QSize size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(QColor(0xee, 0xf2, 0xf6));
    return image;
}

// The size of a place once its edges are scaled and rounded, as the skin records it.
QSize scaledSize(const Rect& r, double scale)
{
    const auto edge = [scale](int v) { return int(v * scale + 0.5); };
    return QSize(qMax(1, edge(r.right) - edge(r.left)), qMax(1, edge(r.bottom) - edge(r.top)));
}

// Strokes a simple line picture in a 20 × 20 box.
void drawGlyph(QPainter& p, ui::Glyph glyph, const QRectF& box, const QColor& colour)
{
    using ui::Glyph;
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 20.0, box.height() / 20.0);
    QPen pen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::None: break;
    case Glyph::Logo:
    case Glyph::Star: {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 ? 4.0 : 9.0;
            const double a = M_PI / 5 * i - M_PI / 2;
            const QPointF pt(10 + r * std::cos(a), 10 + r * std::sin(a));
            i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setBrush(colour);
        p.drawPath(star);
        break;
    }
    case Glyph::Help:
        p.drawEllipse(QRectF(2, 2, 16, 16));
        p.drawArc(QRectF(7, 5, 6, 6), 180 * 16, -250 * 16);
        p.drawLine(QPointF(10, 11), QPointF(10, 12.5));
        p.drawPoint(QPointF(10, 15.5));
        break;
    case Glyph::Minimise: p.drawLine(QPointF(4, 15), QPointF(16, 15)); break;
    case Glyph::Close:
    case Glyph::Cancel:
        p.drawLine(QPointF(5, 5), QPointF(15, 15));
        p.drawLine(QPointF(15, 5), QPointF(5, 15));
        break;
    case Glyph::Photos:
        p.drawRoundedRect(QRectF(2, 4, 16, 12), 2, 2);
        p.drawEllipse(QRectF(5, 7, 3, 3));
        p.drawPolyline(
            QPolygonF({ QPointF(4, 15), QPointF(9, 10), QPointF(12, 13), QPointF(14, 11), QPointF(17, 14) }));
        break;
    case Glyph::Crop:
        p.drawPolyline(QPolygonF({ QPointF(6, 2), QPointF(6, 14), QPointF(18, 14) }));
        p.drawPolyline(QPolygonF({ QPointF(2, 6), QPointF(14, 6), QPointF(14, 18) }));
        break;
    case Glyph::Edit:
    case Glyph::Rename:
        p.drawLine(QPointF(4, 16), QPointF(15, 5));
        p.drawLine(QPointF(13, 3), QPointF(17, 7));
        p.drawLine(QPointF(4, 16), QPointF(3, 18));
        break;
    case Glyph::Frame:
        p.drawRect(QRectF(2, 2, 16, 16));
        p.drawRect(QRectF(6, 6, 8, 8));
        break;
    case Glyph::Text:
        p.drawLine(QPointF(4, 4), QPointF(16, 4));
        p.drawLine(QPointF(10, 4), QPointF(10, 17));
        break;
    case Glyph::Clear:
        p.drawEllipse(QRectF(2, 2, 16, 16));
        p.drawLine(QPointF(7, 7), QPointF(13, 13));
        p.drawLine(QPointF(13, 7), QPointF(7, 13));
        break;
    case Glyph::List:
        for (int y : { 5, 10, 15 })
            p.drawLine(QPointF(3, y), QPointF(17, y));
        break;
    case Glyph::Plus: p.drawLine(QPointF(10, 4), QPointF(10, 16)); [[fallthrough]];
    case Glyph::Minus: p.drawLine(QPointF(4, 10), QPointF(16, 10)); break;
    case Glyph::Printer:
        p.drawRect(QRectF(2, 8, 16, 7));
        p.drawRect(QRectF(6, 3, 8, 5));
        p.drawRect(QRectF(6, 13, 8, 5));
        break;
    case Glyph::Print:
        p.drawLine(QPointF(10, 2), QPointF(10, 12));
        p.drawPolyline(QPolygonF({ QPointF(6, 8), QPointF(10, 12), QPointF(14, 8) }));
        p.drawPolyline(QPolygonF({ QPointF(3, 13), QPointF(3, 17), QPointF(17, 17), QPointF(17, 13) }));
        break;
    case Glyph::Left:
    case Glyph::Right: {
        const bool left = glyph == Glyph::Left;
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({ QPointF(left ? 13 : 7, 4), QPointF(left ? 6 : 14, 10), QPointF(left ? 13 : 7, 16) }));
        break;
    }
    case Glyph::Up:
    case Glyph::Down: {
        const bool up = glyph == Glyph::Up;
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({ QPointF(4, up ? 13 : 7), QPointF(10, up ? 6 : 14), QPointF(16, up ? 13 : 7) }));
        break;
    }
    case Glyph::Ok: p.drawPolyline(QPolygonF({ QPointF(3, 10), QPointF(8, 15), QPointF(17, 5) })); break;
    case Glyph::Album:
        p.drawRoundedRect(QRectF(3, 2, 14, 16), 2, 2);
        p.drawLine(QPointF(7, 2), QPointF(7, 18));
        break;
    case Glyph::Add:
    case Glyph::Remove:
        p.drawEllipse(QRectF(2, 2, 16, 16));
        p.drawLine(QPointF(6, 10), QPointF(14, 10));
        if (glyph == Glyph::Add)
            p.drawLine(QPointF(10, 6), QPointF(10, 14));
        break;
    case Glyph::Show:
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({ QPointF(6, 4), QPointF(16, 10), QPointF(6, 16) }));
        break;
    case Glyph::Save:
        p.drawRect(QRectF(3, 3, 14, 14));
        p.drawRect(QRectF(6, 3, 8, 5));
        break;
    }
    p.restore();
}

QFont labelFont(double scale, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(9, qRound(13 * scale)));
    font.setBold(bold);
    return font;
}

} // namespace

QImage buttonImage(const ui::ButtonSpec& buttonSpec, ButtonState state, double scale)
{
    const QSize size = scaledSize(buttonSpec.rect, scale);
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0xee, 0xf2, 0xf6));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const bool accent = buttonSpec.style == ui::Style::Accent;
    QColor fill = accent ? kAccent : kCard;
    QColor border = accent ? kAccentDark : kBorder;
    QColor ink = accent ? QColor(Qt::white) : kInk;
    QColor glyphColour = accent ? QColor(Qt::white) : kTeal;
    if (state == ButtonState::Hover) {
        fill = accent ? kAccentLight : kTealLight;
        border = accent ? kAccentDark : kTeal;
    } else if (state == ButtonState::Pressed) {
        fill = accent ? kAccentDark : kTeal;
        border = fill.darker(120);
        ink = Qt::white;
        glyphColour = Qt::white;
    }
    if (buttonSpec.style == ui::Style::Round) {
        // The logo sits on the header band: a title with its star.
        image.fill(kHeader);
        p.setPen(Qt::NoPen);
        if (state != ButtonState::Normal) {
            p.setBrush(state == ButtonState::Hover ? kHeader.lighter(130) : kHeader.darker(130));
            p.drawRoundedRect(QRectF(0, 0, size.width(), size.height()), 8 * scale, 8 * scale);
        }
        drawGlyph(p, ui::Glyph::Logo, QRectF(6 * scale, 8 * scale, 28 * scale, 28 * scale), kAccentLight);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(qMax(12, qRound(24 * scale)));
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(42 * scale, 0, size.width(), size.height()), Qt::AlignVCenter | Qt::AlignLeft,
            QString::fromUtf8(buttonSpec.label));
        return image;
    }
    if (buttonSpec.id >= 1 && buttonSpec.id <= 3 && buttonSpec.style == ui::Style::Small && buttonSpec.rect.top < 60) {
        // Help, minimise and exit also sit on the header band.
        image.fill(kHeader);
        if (state == ButtonState::Normal) {
            fill = kHeader.lighter(125);
            glyphColour = Qt::white;
        }
        border = fill;
    }

    const double shadow = state == ButtonState::Pressed ? 0 : 2 * scale;
    const double shift = state == ButtonState::Pressed ? 1 * scale : 0;
    const QRectF body(1 + shift, 1 + shift, size.width() - 2 - shadow - 1, size.height() - 2 - shadow - 1);
    const double radius = 6 * scale;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(body.translated(shadow, shadow), radius, radius);
    p.setBrush(fill);
    p.setPen(QPen(border, 1));
    p.drawRoundedRect(body, radius, radius);

    const QString label = QString::fromUtf8(buttonSpec.label);
    const double glyphSize = qMin(20 * scale, body.height() - 8 * scale);
    if (label.isEmpty()) {
        drawGlyph(p, buttonSpec.glyph,
            QRectF(body.center().x() - glyphSize / 2, body.center().y() - glyphSize / 2, glyphSize, glyphSize),
            glyphColour);
        return image;
    }
    // A label too long for a narrow button first gives up the glyph, then takes a smaller size,
    // rather than being cut off.
    QFont font = labelFont(scale, true);
    const double glyphLeft = body.left() + 10 * scale;
    const auto fits = [&](double left) {
        return QFontMetricsF(font).horizontalAdvance(label) <= body.right() - left - 4 * scale;
    };
    const bool withGlyph = buttonSpec.glyph != ui::Glyph::None && fits(glyphLeft + glyphSize + 8 * scale);
    const double textLeft = withGlyph ? glyphLeft + glyphSize + 8 * scale : glyphLeft;
    while (font.pixelSize() > qMax(9, qRound(10 * scale)) && !fits(textLeft))
        font.setPixelSize(font.pixelSize() - 1);
    if (withGlyph)
        drawGlyph(
            p, buttonSpec.glyph, QRectF(glyphLeft, body.center().y() - glyphSize / 2, glyphSize, glyphSize), glyphColour);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QRectF(textLeft, body.top(), body.right() - textLeft - 4 * scale, body.height()),
        Qt::AlignVCenter | Qt::AlignLeft, label);
    return image;
}

QImage sliderImage(const ui::ButtonSpec& buttonSpec, ButtonState state, double scale)
{
    const QSize size = scaledSize(buttonSpec.rect, scale);
    if (state == ButtonState::Normal) {
        QImage track(size, QImage::Format_RGB32);
        track.fill(kCard);
        QPainter p(&track);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(kBorder);
        p.drawRoundedRect(QRectF(4, size.height() / 2.0 - 2, size.width() - 8, 4), 2, 2);
        return track;
    }
    const int knob = size.height();
    QImage image(QSize(knob, knob), QImage::Format_RGB32);
    image.fill(kCard);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kTeal.darker(120), 1));
    p.setBrush(state == ButtonState::Hover ? kTeal.lighter(130) : kTeal);
    p.drawEllipse(QRectF(2, 2, knob - 4, knob - 4));
    return image;
}

QImage frameBackground(int page, double scale)
{
    QImage image = canvas(QSize(qRound(ui::kFrameWidth * scale), qRound(ui::kFrameHeight * scale)));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(0xf4, 0xf7, 0xfa));
    sky.setColorAt(1, QColor(0xd9, 0xe2, 0xeb));
    p.fillRect(image.rect(), sky);
    p.fillRect(QRectF(0, 0, image.width(), 60 * scale), kHeader);
    p.fillRect(QRectF(0, 60 * scale, image.width(), 2 * scale), kAccent);
    // Soft panels behind the areas, so the windows laid over them sit on a card.
    for (const ui::ButtonSpec& buttonSpec : ui::framePage(page)) {
        if (buttonSpec.kind != ui::ButtonKind::Area)
            continue;
        const QRectF r(buttonSpec.rect.left * scale - 2, buttonSpec.rect.top * scale - 2, buttonSpec.rect.width() * scale + 4,
            buttonSpec.rect.height() * scale + 4);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 28));
        p.drawRoundedRect(r.translated(2, 2), 6, 6);
        p.setBrush(kCard);
        p.setPen(QPen(kBorder, 1));
        p.drawRoundedRect(r, 6, 6);
    }
    if (page == 0) {
        p.setFont(labelFont(scale, false));
        p.setPen(kInk);
        p.drawText(
            QRectF(ui::kCopiesRect.left * scale, (ui::kCopiesRect.top - 4) * scale, ui::kCopiesRect.width() * scale, 0),
            Qt::AlignLeft | Qt::AlignBottom | Qt::TextDontClip, QStringLiteral("Copies"));
    }
    return image;
}

QImage screenBackdrop(int screen, double scale)
{
    QImage image = canvas(QSize(qRound(440 * scale), qRound(460 * scale)));
    QPainter p(&image);
    // A quiet dotted pattern, tinted per screen, behind the page or the photo.
    const QColor tints[] = { QColor(0xe9, 0xee, 0xf3), QColor(0xec, 0xf1, 0xea), QColor(0xf3, 0xee, 0xe6),
        QColor(0xee, 0xea, 0xf3), QColor(0xf3, 0xe9, 0xec) };
    image.fill(tints[qBound(0, screen, 4)]);
    p.setPen(QPen(tints[qBound(0, screen, 4)].darker(108), 1));
    const int step = qMax(6, qRound(12 * scale));
    for (int y = step / 2; y < image.height(); y += step)
        for (int x = ((y / step) % 2) * step / 2; x < image.width(); x += step)
            p.drawPoint(x, y);
    return image;
}

QImage barBackground(const QSize& size, const QString& title, double scale)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kCard);
    QPainter p(&image);
    p.setPen(QPen(kBorder, 1));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    if (!title.isEmpty()) {
        p.setFont(labelFont(scale, true));
        p.setPen(kInk);
        p.drawText(QRectF(8 * scale, 4 * scale, size.width(), 20 * scale), Qt::AlignLeft | Qt::AlignVCenter, title);
    }
    return image;
}

QImage copiesImage(int count, double scale)
{
    QImage image(scaledSize(ui::kCopiesRect, scale), QImage::Format_RGB32);
    image.fill(kCard);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kBorder, 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, image.width() - 1, image.height() - 1), 6, 6);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(12, qRound(28 * scale)));
    font.setBold(true);
    p.setFont(font);
    p.setPen(kTeal);
    p.drawText(image.rect(), Qt::AlignCenter, QString::number(count));
    return image;
}

QImage listRowImage(const ui::ButtonSpec& buttonSpec, ButtonState state, double scale)
{
    QImage image(scaledSize(buttonSpec.rect, scale), QImage::Format_RGB32);
    image.fill(state == ButtonState::Pressed ? kTeal : state == ButtonState::Hover ? kTealLight : kCard);
    QPainter p(&image);
    p.setPen(QPen(kBorder, 1));
    p.drawLine(0, image.height() - 1, image.width(), image.height() - 1);
    return image;
}

QImage blankPanel(double scale)
{
    QImage image(QSize(qRound(440 * scale), qRound(460 * scale)), QImage::Format_RGB32);
    image.fill(kCard);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kBorder, 2, Qt::DashLine));
    p.drawRoundedRect(QRectF(20 * scale, 20 * scale, image.width() - 40 * scale, image.height() - 40 * scale), 10, 10);
    p.setFont(labelFont(scale, false));
    p.setPen(kInk);
    p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Choose a layout"));
    return image;
}

} // namespace gp::skin
