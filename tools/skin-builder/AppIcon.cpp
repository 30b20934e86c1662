#include "AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace gp::skin {

QImage appIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Every shape is given in the scalable icon's 64-unit square.
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);

    QLinearGradient tile(0, 4, 0, 60);
    tile.setColorAt(0, QColor(0x3b, 0x6f, 0xb0));
    tile.setColorAt(1, QColor(0x24, 0x47, 0x7a));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 12, 12);

    p.save();
    p.translate(32, 34);
    p.rotate(-8);
    p.translate(-32, -34);
    p.setBrush(QColor(0, 0, 0, 64));
    p.drawRoundedRect(QRectF(15, 14, 36, 42), 2, 2);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(14, 12, 36, 42), 2, 2);
    p.setBrush(QColor(0x8c, 0xc4, 0xee));
    p.drawRect(QRectF(18, 16, 28, 26));
    p.setBrush(QColor(0xff, 0xd3, 0x4d));
    p.drawEllipse(QPointF(39, 23), 4, 4);
    p.setBrush(QColor(0x3f, 0x8f, 0x4f));
    p.drawPolygon(QPolygonF({ { 18, 42 }, { 27, 28 }, { 33, 35 }, { 38, 30 }, { 46, 42 } }));
    p.restore();

    p.setBrush(QColor(0xff, 0xe6, 0x80));
    p.drawPolygon(QPolygonF({ { 51, 5 }, { 53, 11 }, { 59, 13 }, { 53, 15 }, { 51, 21 }, { 49, 15 }, { 43, 13 }, { 49, 11 } }));
    return image;
}

} // namespace gp::skin
