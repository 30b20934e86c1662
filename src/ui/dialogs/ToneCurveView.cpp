#include "dialogs/ToneCurveView.h"

#include "editing/tone/ToneCurveBox.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace gp::ui {

namespace {

// Bars never reach into the top few pixels, so the frame stays clear.
constexpr int kTopMargin = 4;

QColor curveColour(ToneChannel channel)
{
    switch (channel) {
    case ToneChannel::Red: return Qt::red;
    case ToneChannel::Green: return Qt::green;
    case ToneChannel::Blue: return Qt::blue;
    case ToneChannel::All: break;
    }
    return Qt::black;
}

} // namespace

ToneCurveView::ToneCurveView(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
}

void ToneCurveView::setHistogram(const LevelHistogram& histogram)
{
    m_bars = histogramBarHeights(histogram, kHeight);
    update();
}

void ToneCurveView::setCurve(const LevelTable& table, ToneChannel channel)
{
    m_table = table;
    m_channel = channel;
    update();
}

void ToneCurveView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const int bottom = kHeight - 2;
    painter.setPen(QColor(128, 128, 128));
    for (int level = 0; level < 256; ++level)
        if (m_bars[std::size_t(level)] > 0)
            painter.drawLine(1 + level, std::max(kTopMargin, bottom - m_bars[std::size_t(level)]), 1 + level, bottom);
    const std::vector<int> points = curvePoints(m_table, kWidth - 2, kHeight, bottom);
    QPolygon line;
    for (int x = 0; x < int(points.size()); ++x)
        line << QPoint(1 + x, points[std::size_t(x)]);
    painter.setPen(curveColour(m_channel));
    painter.drawPolyline(line);
}

} // namespace gp::ui
