#include "skin/SuperStatic.h"

#include <QPainter>

namespace gp::ui {

SuperStatic::SuperStatic(QWidget* parent, Qt::Alignment alignment)
    : QWidget(parent)
    , m_alignment(alignment)
{
}

void SuperStatic::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void SuperStatic::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(192, 192, 192));
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, width(), 0);
    const int d = height() / 10 + 1;
    const QRect inner = rect().adjusted(2 * d, d, -2 * d, -d);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(inner.topLeft(), inner.topRight());
    p.drawLine(inner.topLeft(), inner.bottomLeft());
    p.setPen(Qt::white);
    p.drawLine(inner.bottomLeft(), inner.bottomRight());
    p.drawLine(inner.topRight(), inner.bottomRight());
    // A font whose cell is 0.8 × the height − 4 (at least 14) pixels; the glyphs fill about
    // four fifths of the cell.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(int(0.8 * height()) - 4, 14) * 4 / 5);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(inner.adjusted(2, 0, -2, 0), int(m_alignment | Qt::AlignVCenter), m_text);
}

} // namespace gp::ui
