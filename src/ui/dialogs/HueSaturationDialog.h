#pragma once
// The Hue and Saturation dialog over its engine model: Hue 0..360 (page 30) echoing
// position − 180, Saturation 0..200 (page 20) echoing position − 100 and "%", and the shared
// Before and After previews.

#include "dialogs/PreviewDialog.h"
#include "editing/tone/AdjustmentDialogs.h"

namespace gp::ui {

class HueSaturationDialog : public PreviewDialog {
public:
    HueSaturationDialog(QWidget* parent, HueSaturationModel& model, const Image& source, const Allocator& allocator,
        EditDialogPort::PreviewCompute preview);
};

} // namespace gp::ui
