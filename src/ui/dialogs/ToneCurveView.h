#pragma once
// The curve box of the Tone Adjustment dialog: the chosen channel's histogram as mid-gray
// vertical bars and the current level table as a polyline in the channel's colour (black for
// all channels).

#include "editing/tone/ChannelTables.h"
#include "editing/tone/ToneCurve.h"

#include <QWidget>
#include <array>

namespace gp::ui {

class ToneCurveView : public QWidget {
public:
    // One column per level inside a one-pixel frame.
    static constexpr int kWidth = 258;
    static constexpr int kHeight = 130;

    explicit ToneCurveView(QWidget* parent);

    void setHistogram(const LevelHistogram& histogram);
    void setCurve(const LevelTable& table, ToneChannel channel);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<int, 256> m_bars {};
    LevelTable m_table = identityTable();
    ToneChannel m_channel = ToneChannel::All;
};

} // namespace gp::ui
