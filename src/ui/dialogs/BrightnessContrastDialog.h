#pragma once
// The Brightness and Contrast dialog over its engine model: two scroll bars 0..255 (page 16)
// echoing position − 128, the channel buttons, and the shared Before and After previews.

#include "dialogs/PreviewDialog.h"
#include "editing/tone/AdjustmentDialogs.h"

namespace gp::ui {

class BrightnessContrastDialog : public PreviewDialog {
public:
    BrightnessContrastDialog(QWidget* parent, BrightnessContrastModel& model, const Image& source,
        const Allocator& allocator, EditDialogPort::PreviewCompute preview);
};

} // namespace gp::ui
