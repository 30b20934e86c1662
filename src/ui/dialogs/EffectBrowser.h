#pragma once
// The Effects Browser: the list of the eighteen effects, the intensity scroll bar 1..100 (page
// 10) with its echo, and the shared Before and After previews of the chosen effect. OK applies
// the effect chosen last at the intensity shown.

#include "dialogs/PreviewDialog.h"
#include "editing/effects/FilterDialogs.h"

namespace gp::ui {

class EffectBrowser : public PreviewDialog {
public:
    EffectBrowser(QWidget* parent, FilterDialogModel& model, const Image& source, const Allocator& allocator,
        EditDialogPort::PreviewCompute preview);
};

} // namespace gp::ui
