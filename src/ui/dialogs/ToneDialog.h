#pragma once
// The Tone Adjustment dialog over its engine model: the curve box, Highlight, Midtone and Shadow
// (−100..100, page 10) each echoing its value beside a "%", the channel buttons, Auto, and the
// shared Before and After previews.

#include "dialogs/PreviewDialog.h"
#include "editing/tone/AdjustmentDialogs.h"

class QLabel;
class QScrollBar;

namespace gp::ui {

class ToneCurveView;

class ToneDialog : public PreviewDialog {
public:
    ToneDialog(QWidget* parent, ToneModel& model, const Image& source, const Allocator& allocator,
        EditDialogPort::PreviewCompute preview);

private:
    void showValues();

    ToneModel* m_model;
    const Image* m_source;
    ToneCurveView* m_curve;
    QScrollBar* m_bars[3];
    QLabel* m_echoes[3];
};

} // namespace gp::ui
