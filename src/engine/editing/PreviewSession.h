#pragma once
// The preview mechanism the adjustment, filter and effect dialogs share, without the windows: it
// refers to the source (which the dialog's caller keeps alive and unchanged while the session is
// open, so a large photo is not copied once more), and keeps the Before sample, the After image, the Pan Mode crop and the change
// countdown. The dialog calls changed() after any slider, channel or pan change and tick() from
// its 100 ms timer; the fifth tick after a change computes the After image from the sample with
// the dialog's current values (quietly: no progress, no Escape test). A computation that yields
// nothing shows the sample unchanged.

#include "editing/PreviewSample.h"

#include <functional>
#include <optional>

namespace gp {

// The countdown alone: a change sets it to 1, each tick raises a running countdown, and when it
// passes 5 the preview is due and the countdown stops.
class PreviewCountdown {
public:
    static constexpr int kDue = 5;

    void changed() { m_count = 1; }
    // One timer tick; true when the After image must be computed now.
    bool tick();
    bool running() const { return m_count != 0; }

private:
    int m_count = 0;
};

class PreviewSession {
public:
    // Computes an After image from the sample; nothing when the values change nothing.
    using Compute = std::function<std::optional<Image>(const Image& sample)>;

    // Takes the source and builds the first sample for a preview window of the given client
    // size; the After image starts as a copy of the sample. False without memory. density is the
    // screen's device pixels per window pixel: the samples then have that many pixels per window
    // pixel each way (the fitted picture is finer, the Pan Mode crop shows the source pixel for
    // device pixel) and a drag moves the crop by density source pixels per window pixel.
    bool open(const Image& source, Size client, const Allocator& allocator, int density = 1);
    int density() const { return m_density; }

    bool panMode() const { return m_panMode; }
    // Toggling Pan Mode rebuilds the sample (centred crop or fitted picture) and shows it as the
    // After image until the next computation.
    bool setPanMode(bool on);
    // A left-button drag in the Before window moves the crop by the mouse movement (Pan Mode only).
    bool drag(int dx, int dy);

    void changed() { m_countdown.changed(); }
    // The timer: true when the After image was recomputed (the dialog repaints it).
    bool tick(const Compute& compute);

    const Image* before() const { return m_sample ? &*m_sample : nullptr; }
    const Image* after() const { return m_after ? &*m_after : nullptr; }
    Rect panRect() const { return m_crop.rect(); }

    // Closing the dialog: frees the samples and the After image and lets go of the source.
    void close();

private:
    bool rebuild();

    const Allocator* m_allocator = nullptr;
    const Image* m_source = nullptr;
    // The fitted picture, made once per dialog: leaving Pan Mode copies it rather than reducing
    // the whole source again.
    std::optional<Image> m_fitted;
    std::optional<Image> m_sample;
    std::optional<Image> m_after;
    Size m_inner;
    int m_density = 1;
    bool m_panMode = false;
    PanCrop m_crop;
    PreviewCountdown m_countdown;
};

} // namespace gp
