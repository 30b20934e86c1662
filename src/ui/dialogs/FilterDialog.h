#pragma once
// The Blur and Sharpen dialog over the engine's filter model: its title names the filter, one
// intensity scroll bar 1..100 (page 10) echoes its value, and the shared Before and After
// previews show the filter at that intensity.

#include "dialogs/PreviewDialog.h"
#include "editing/effects/FilterDialogs.h"

namespace gp::ui {

class FilterDialog : public PreviewDialog {
public:
    FilterDialog(QWidget* parent, FilterDialogModel& model, const Image& source, const Allocator& allocator,
        EditDialogPort::PreviewCompute preview);
};

} // namespace gp::ui
