#pragma once
// The histogram of an image: one of the combined, red, green or blue tables drawn as vertical
// lines in a panel, in black or the channel's colour. A grayscale image offers its gray table
// alone.

#include "image/Histogram.h"

#include <QDialog>

namespace gp::ui {

class HistogramPanel : public QWidget {
    Q_OBJECT
public:
    explicit HistogramPanel(QWidget* parent)
        : QWidget(parent)
    {
        setMinimumSize(280, 160);
    }
    void show(const LevelCounts* counts, QColor pen)
    {
        m_counts = counts;
        m_pen = pen;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const LevelCounts* m_counts = nullptr;
    QColor m_pen = Qt::black;
};

class HistogramDialog : public QDialog {
    Q_OBJECT
public:
    HistogramDialog(QWidget* parent, const Image& image);
    // 0 combined, 1 red, 2 green, 3 blue.
    void choose(int table);
    HistogramPanel* panel() const { return m_panel; }

private:
    Histogram m_histogram;
    HistogramPanel* m_panel;
};

} // namespace gp::ui
