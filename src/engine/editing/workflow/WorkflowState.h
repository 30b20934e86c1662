#pragma once
// The state the Crop, Edit and Frame screens share: the photo they work on (owned elsewhere),
// its display copy, and each screen's own part: the crop rectangle, the chosen effect with its
// intensity and preview, the frame with its mask, offsets and placement log. A screen clears it
// when it is created; closing frees everything but the photo.

#include "editing/workflow/CropRectangle.h"
#include "editing/workflow/DisplayCopy.h"
#include "editing/workflow/EffectsLibrary.h"
#include "editing/workflow/FramePlacement.h"
#include "editing/workflow/OffsetTable.h"

#include <memory>
#include <optional>

namespace gp {

class Host;

// The Edit screen's effect, intensity and preview.
class EditState {
public:
    // Takes the effect, starts it at its initial intensity and computes the preview on the
    // display copy.
    void choose(int effect, const Image& display, const EffectsLibrary& library, const Allocator& allocator);
    // One intensity step; beeps through host at the limits. Recomputes the preview.
    void step(bool up, Host& host, const Image& display, const EffectsLibrary& library, const Allocator& allocator);
    // A value set directly (rounded to the effect's step). Recomputes the preview.
    void set(int value, const Image& display, const EffectsLibrary& library, const Allocator& allocator);

    // The effect at the chosen intensity on the full photo, under the wait cursor.
    std::optional<Image> result(
        const Image& photo, Host& host, const EffectsLibrary& library, const Allocator& allocator) const;

    // The preview made again on a new display copy, with the same effect and intensity; none
    // without a library (or effect), so no preview of the old copy's size outlives it.
    void remake(const Image& display, const EffectsLibrary* library, const Allocator& allocator);

    int effect() const { return m_effect; }
    int intensity() const { return m_intensity; }
    const std::optional<Image>& preview() const { return m_preview; }

private:
    void recompute(const Image& display, const EffectsLibrary& library, const Allocator& allocator);

    int m_effect = 0;
    int m_intensity = 0;
    std::optional<Image> m_preview;
};

// The pieces of a frame as read from its files: the 24-bit picture, the mask values (8-bit,
// the window's size) and the offset table.
struct FrameArtwork {
    Image picture;
    Image mask;
    OffsetTable offsets;
};

// The Frame screen's frame, its display copies, the placement and the cached preview.
class FrameState {
public:
    // Takes a frame for the photo and the template cell whose offset places the window; builds
    // the display copies for the window size (display pixels, `unit` of them to a step of the
    // interface, as for the photo's display copy) and starts the placement log. False without
    // memory.
    bool choose(FrameArtwork artwork, int cell, const Image& photo, Size window, const Allocator& allocator,
        int unit = 1);

    // The display copies made again for a window at another density (`unit`), with the photo
    // kept where it was in the frame. False without memory, and the state is then unchanged.
    bool rescale(Size window, const Allocator& allocator, int unit);

    bool hasFrame() const { return m_artwork.has_value(); }
    // The displayed frame, in window coordinates.
    Rect displayRect() const { return m_display ? m_display->rect : Rect {}; }

    // A placement command; false when refused (the caller beeps). Discards the preview.
    bool command(PlacementCommand command);
    // A drag by a mouse movement in display pixels. Discards the preview.
    void drag(int dx, int dy);
    // Appends a record directly (the command-line tool's log). Discards the preview.
    void append(PlacementKind kind, int amount);

    // The framed display copy, computed when missing; nothing without a frame or memory.
    const Image* preview(const Image& photoDisplay, const Allocator& allocator);
    // The full-resolution result, replaying the log once.
    std::optional<Image> result(const Image& photo, const Allocator& allocator) const;

    const FramePlacement& placement() const { return m_placement; }
    Rect window() const; // the frame's window in frame pixels

private:
    struct Display {
        DisplayCopy picture;
        Image mask;
        double scale = 1.0; // display pixels to a frame pixel
    };
    // The frame's display copy and mask for the window; nothing without memory.
    static std::optional<Display> makeDisplay(
        const FrameArtwork& artwork, Size window, const Allocator& allocator, int unit);

    std::optional<FrameArtwork> m_artwork;
    std::optional<DisplayCopy> m_display;
    std::optional<Image> m_displayMask;
    Point m_offset;
    FramePlacement m_placement;
    std::optional<Image> m_preview;
};

class WorkflowState {
public:
    // Clears the state and takes the photo, with a display copy fitted into the window. The
    // window is measured in the display's own pixels, `unit` of them to one step of the
    // interface (the window program's pixel density; see fittedRect). False without memory (the
    // allocator has said so) or for an empty photo.
    bool start(std::shared_ptr<const Image> photo, Size window, const Allocator& allocator, int unit = 1);
    void clear();
    // The display copies made again for a window at another density (the window moved to a
    // screen of another scale): the photo's, the frame's and the effect's preview (made with
    // library when one is given), with the crop rectangle, the effect and its intensity and the
    // frame's placement kept in terms of the photo. False without a photo or memory, and the
    // state is then unchanged.
    bool rescale(Size window, const Allocator& allocator, int unit, const EffectsLibrary* library = nullptr);

    bool hasPhoto() const { return m_photo != nullptr && m_display.has_value(); }
    const Image& photo() const { return *m_photo; }
    const Image& displayCopy() const { return m_display->image; }
    Rect displayRect() const { return m_display ? m_display->rect : Rect {}; }
    Size window() const { return m_window; }
    int unit() const { return m_unit; }

    CropRectangle crop;
    EditState edit;
    FrameState frame;

private:
    std::shared_ptr<const Image> m_photo;
    std::optional<DisplayCopy> m_display;
    Size m_window;
    int m_unit = 1;
};

} // namespace gp
