#include "Backgrounds.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>
#include <functional>

namespace gp::skin {

namespace {

// A small fixed-seed generator, so every build draws the same scattered shapes.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : m_state(seed) {}
    double next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return double(m_state >> 8) / double(1u << 24);
    }

private:
    std::uint32_t m_state;
};

void verticalGradient(QPainter& p, QSize size, std::initializer_list<std::pair<double, QColor>> stops)
{
    QLinearGradient g(0, 0, 0, size.height());
    for (const auto& [at, colour] : stops)
        g.setColorAt(at, colour);
    p.fillRect(QRect(QPoint(), size), g);
}

void drawSky(QPainter& p, QSize s)
{
    verticalGradient(p, s, { { 0, QColor(70, 130, 200) }, { 0.7, QColor(170, 205, 235) }, { 1, QColor(225, 238, 248) } });
    Scatter r(7);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        const double x = r.next() * s.width(), y = r.next() * s.height() * 0.8, w = (0.15 + r.next() * 0.2) * s.width();
        p.setBrush(QColor(255, 255, 255, 150));
        for (int puff = 0; puff < 5; ++puff)
            p.drawEllipse(QPointF(x + (puff - 2) * w / 5, y + ((puff % 2) ? -w / 12 : 0)), w / 5, w / 7);
    }
}

void drawSunset(QPainter& p, QSize s)
{
    verticalGradient(p, s, { { 0, QColor(60, 40, 110) }, { 0.45, QColor(220, 90, 80) }, { 0.75, QColor(250, 180, 90) },
                               { 1, QColor(255, 225, 160) } });
    QRadialGradient sun(s.width() / 2.0, s.height() * 0.78, s.width() * 0.25);
    sun.setColorAt(0, QColor(255, 240, 190, 230));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    p.fillRect(QRect(QPoint(), s), sun);
}

void drawLinen(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(), s), QColor(236, 228, 212));
    Scatter r(11);
    for (int y = 0; y < s.height(); y += 2) {
        p.setPen(QColor(200, 188, 165, int(30 + r.next() * 50)));
        p.drawLine(0, y, s.width(), y);
    }
    for (int x = 0; x < s.width(); x += 3) {
        p.setPen(QColor(255, 250, 240, int(20 + r.next() * 40)));
        p.drawLine(x, 0, x, s.height());
    }
}

void drawMeadow(QPainter& p, QSize s)
{
    verticalGradient(p, s, { { 0, QColor(200, 230, 250) }, { 0.55, QColor(230, 245, 220) }, { 0.6, QColor(120, 180, 80) },
                               { 1, QColor(60, 130, 50) } });
    Scatter r(23);
    p.setPen(Qt::NoPen);
    const QColor flowers[] = { QColor(250, 240, 90), QColor(255, 255, 255), QColor(240, 120, 160) };
    for (int i = 0; i < 140; ++i) {
        const double y = s.height() * (0.62 + r.next() * 0.38);
        const double radius = 1.5 + (y / s.height() - 0.6) * 12;
        p.setBrush(flowers[i % 3]);
        p.drawEllipse(QPointF(r.next() * s.width(), y), radius, radius);
    }
}

void drawOcean(QPainter& p, QSize s)
{
    verticalGradient(p, s, { { 0, QColor(20, 70, 120) }, { 1, QColor(90, 190, 200) } });
    p.setBrush(Qt::NoBrush);
    for (int band = 0; band < 14; ++band) {
        QPainterPath wave;
        const double y0 = s.height() * (band + 0.5) / 14;
        wave.moveTo(0, y0);
        for (int x = 0; x <= s.width(); x += 8)
            wave.lineTo(x, y0 + std::sin(x * 0.03 + band) * s.height() * 0.012);
        p.setPen(QPen(QColor(255, 255, 255, 40 + band * 5), 2));
        p.drawPath(wave);
    }
}

void drawParchment(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(), s), QColor(243, 232, 200));
    QRadialGradient edge(s.width() / 2.0, s.height() / 2.0, std::hypot(s.width(), s.height()) / 2);
    edge.setColorAt(0.55, QColor(0, 0, 0, 0));
    edge.setColorAt(1, QColor(150, 100, 40, 150));
    p.fillRect(QRect(QPoint(), s), edge);
    Scatter r(31);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 400; ++i) {
        p.setBrush(QColor(160, 120, 60, int(10 + r.next() * 25)));
        p.drawEllipse(QPointF(r.next() * s.width(), r.next() * s.height()), 1 + r.next() * 6, 1 + r.next() * 4);
    }
}

void drawConfetti(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(), s), QColor(252, 250, 245));
    Scatter r(43);
    const QColor colours[] = { QColor(235, 80, 90), QColor(60, 160, 220), QColor(250, 200, 50), QColor(90, 190, 110),
        QColor(170, 100, 210) };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 260; ++i) {
        p.save();
        p.translate(r.next() * s.width(), r.next() * s.height());
        p.rotate(r.next() * 180);
        p.setBrush(colours[i % 5]);
        const double w = 4 + r.next() * 8;
        if (i % 3)
            p.drawRect(QRectF(-w / 2, -w / 5, w, w / 2.5));
        else
            p.drawEllipse(QPointF(), w / 2.5, w / 2.5);
        p.restore();
    }
}

void drawStripes(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(), s), QColor(250, 246, 236));
    const QColor colours[] = { QColor(120, 170, 200, 120), QColor(230, 150, 130, 110), QColor(160, 200, 150, 110) };
    const int band = std::max(12, s.width() / 24);
    p.setPen(Qt::NoPen);
    p.rotate(-35);
    for (int i = -60; i < 60; ++i) {
        p.setBrush(colours[(i + 60) % 3]);
        p.drawRect(QRect(i * band * 2, -s.height() * 2, band, s.height() * 4));
    }
    p.resetTransform();
}

void drawPolkaDots(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(), s), QColor(255, 228, 235));
    const double step = std::max(s.width(), s.height()) / 16.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    for (int row = 0; row * step < s.height() + step; ++row)
        for (int col = 0; col * step < s.width() + step; ++col)
            p.drawEllipse(QPointF(col * step + (row % 2 ? step / 2 : 0), row * step), step / 5, step / 5);
}

void drawStarryNight(QPainter& p, QSize s)
{
    verticalGradient(p, s, { { 0, QColor(8, 12, 40) }, { 1, QColor(40, 40, 90) } });
    Scatter r(59);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 300; ++i) {
        const double bright = r.next();
        p.setBrush(QColor(255, 255, 230, int(80 + bright * 175)));
        const double radius = bright > 0.95 ? 2.2 : 0.5 + bright;
        p.drawEllipse(QPointF(r.next() * s.width(), r.next() * s.height()), radius, radius);
    }
}

void drawSpring(QPainter& p, QSize s)
{
    verticalGradient(p, s, { { 0, QColor(250, 250, 235) }, { 1, QColor(220, 240, 215) } });
    Scatter r(71);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const QPointF centre(r.next() * s.width(), r.next() * s.height());
        const double petal = 6 + r.next() * 10;
        p.setBrush(QColor(245, 170, 190, 170));
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * M_PI / 5;
            p.drawEllipse(centre + QPointF(std::cos(a), std::sin(a)) * petal, petal * 0.7, petal * 0.7);
        }
        p.setBrush(QColor(250, 210, 90));
        p.drawEllipse(centre, petal * 0.45, petal * 0.45);
    }
}

struct Recipe {
    BackgroundArt art;
    std::function<void(QPainter&, QSize)> draw;
};

const std::vector<Recipe>& recipes()
{
    static const std::vector<Recipe> list = {
        { { QStringLiteral("Sky"), QStringLiteral("sky") }, drawSky },
        { { QStringLiteral("Sunset"), QStringLiteral("sunset") }, drawSunset },
        { { QStringLiteral("Linen"), QStringLiteral("linen") }, drawLinen },
        { { QStringLiteral("Meadow"), QStringLiteral("meadow") }, drawMeadow },
        { { QStringLiteral("Ocean"), QStringLiteral("ocean") }, drawOcean },
        { { QStringLiteral("Parchment"), QStringLiteral("parchment") }, drawParchment },
        { { QStringLiteral("Confetti"), QStringLiteral("confetti") }, drawConfetti },
        { { QStringLiteral("Stripes"), QStringLiteral("stripes") }, drawStripes },
        { { QStringLiteral("Polka Dots"), QStringLiteral("polka") }, drawPolkaDots },
        { { QStringLiteral("Starry Night"), QStringLiteral("stars") }, drawStarryNight },
        { { QStringLiteral("Blossom"), QStringLiteral("blossom") }, drawSpring },
    };
    return list;
}

} // namespace

const std::vector<BackgroundArt>& backgroundArt()
{
    static const std::vector<BackgroundArt> list = [] {
        std::vector<BackgroundArt> arts;
        for (const Recipe& recipe : recipes())
            arts.push_back(recipe.art);
        return arts;
    }();
    return list;
}

QImage backgroundImage(std::size_t index, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (index >= recipes().size())
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    recipes()[index].draw(p, size);
    return image;
}

} // namespace gp::skin
