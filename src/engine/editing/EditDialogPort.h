#pragma once
// The editing dialogs. Each runs on the model that holds its arithmetic and answers true when the
// user pressed OK (the model then holds the accepted values); a program without a dialog answers
// "cancelled".

#include "image/Image.h"

#include <functional>
#include <optional>

namespace gp {

class BrightnessContrastModel;
class FilterDialogModel;
class HueSaturationModel;
class ImageSizeModel;
class RotateDialogModel;
class ToneModel;

class EditDialogPort {
public:
    virtual ~EditDialogPort() = default;

    virtual bool runRotateDialog(RotateDialogModel& /*model*/) { return false; }
    virtual bool runImageSizeDialog(ImageSizeModel& /*model*/) { return false; }

    // The adjustment, filter and effect dialogs show Before and After previews of `source` (see
    // editing/PreviewSession.h); `preview` computes an After image from a sample with the model's
    // current values.
    using PreviewCompute = std::function<std::optional<Image>(const Image& sample)>;
    virtual bool runBrightnessContrastDialog(BrightnessContrastModel& /*model*/, const Image& /*source*/,
                                             const PreviewCompute& /*preview*/)
    {
        return false;
    }
    virtual bool runHueSaturationDialog(HueSaturationModel& /*model*/, const Image& /*source*/,
                                        const PreviewCompute& /*preview*/)
    {
        return false;
    }
    virtual bool runToneDialog(ToneModel& /*model*/, const Image& /*source*/, const PreviewCompute& /*preview*/)
    {
        return false;
    }
    // Blur or Sharpen with its intensity.
    virtual bool runFilterDialog(FilterDialogModel& /*model*/, const Image& /*source*/,
                                 const PreviewCompute& /*preview*/)
    {
        return false;
    }
    // The Effects menu's previews with the choice of effect and intensity.
    virtual bool runEffectBrowser(FilterDialogModel& /*model*/, const Image& /*source*/,
                                  const PreviewCompute& /*preview*/)
    {
        return false;
    }
};

} // namespace gp
