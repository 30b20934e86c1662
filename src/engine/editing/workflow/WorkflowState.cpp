#include "editing/workflow/WorkflowState.h"

#include "editing/transform/Resample.h"
#include "editing/workflow/EffectIntensity.h"
#include "editing/workflow/FrameComposition.h"
#include "shell/Host.h"

#include <algorithm>
#include <cmath>

namespace gp {

void EditState::recompute(const Image& display, const EffectsLibrary& library, const Allocator& allocator)
{
    m_preview.reset();
    m_preview = library.apply(m_effect, display, m_intensity, allocator);
}

void EditState::choose(int effect, const Image& display, const EffectsLibrary& library, const Allocator& allocator)
{
    m_effect = effect;
    m_intensity = initialIntensity(effect);
    recompute(display, library, allocator);
}

void EditState::step(
    bool up, Host& host, const Image& display, const EffectsLibrary& library, const Allocator& allocator)
{
    const IntensityChange change = stepIntensity(m_effect, m_intensity, up);
    if (change.beep)
        host.beep();
    m_intensity = change.value;
    recompute(display, library, allocator);
}

void EditState::set(int value, const Image& display, const EffectsLibrary& library, const Allocator& allocator)
{
    m_intensity = settledIntensity(m_effect, value);
    recompute(display, library, allocator);
}

void EditState::remake(const Image& display, const EffectsLibrary* library, const Allocator& allocator)
{
    if (m_effect != 0 && library)
        recompute(display, *library, allocator);
    else
        m_preview.reset();
}

std::optional<Image> EditState::result(
    const Image& photo, Host& host, const EffectsLibrary& library, const Allocator& allocator) const
{
    if (m_effect == 0)
        return std::nullopt;
    host.setWaitCursor(true);
    auto image = library.apply(m_effect, photo, m_intensity, allocator);
    host.setWaitCursor(false);
    return image;
}

std::optional<FrameState::Display> FrameState::makeDisplay(
    const FrameArtwork& artwork, Size window, const Allocator& allocator, int unit)
{
    auto picture = makeDisplayCopy(artwork.picture, window, allocator, unit);
    if (!picture)
        return std::nullopt;
    const double scale = double(picture->rect.width()) / artwork.picture.width();
    const int maskW = std::max(1, int(std::lround(artwork.mask.width() * scale)));
    const int maskH = std::max(1, int(std::lround(artwork.mask.height() * scale)));
    auto mask = resample(artwork.mask, maskW, maskH, 200, allocator, Interrupt::Never);
    if (!mask)
        return std::nullopt;
    return Display { std::move(*picture), std::move(*mask), scale };
}

bool FrameState::choose(
    FrameArtwork artwork, int cell, const Image& photo, Size window, const Allocator& allocator, int unit)
{
    m_artwork.reset();
    m_display.reset();
    m_displayMask.reset();
    m_preview.reset();
    auto display = makeDisplay(artwork, window, allocator, unit);
    if (!display)
        return false;
    m_offset = artwork.offsets.at(cell);
    m_placement = FramePlacement({ photo.width(), photo.height() }, display->scale, unit);
    m_placement.start({ artwork.picture.width(), artwork.picture.height() });
    m_artwork = std::move(artwork);
    m_display = std::move(display->picture);
    m_displayMask = std::move(display->mask);
    return true;
}

bool FrameState::rescale(Size window, const Allocator& allocator, int unit)
{
    if (!m_artwork)
        return true;
    auto display = makeDisplay(*m_artwork, window, allocator, unit);
    if (!display)
        return false;
    m_placement.rescale(display->scale, unit);
    m_display = std::move(display->picture);
    m_displayMask = std::move(display->mask);
    m_preview.reset();
    return true;
}

bool FrameState::command(PlacementCommand command)
{
    if (!m_artwork || !m_placement.command(command))
        return false;
    m_preview.reset();
    return true;
}

void FrameState::drag(int dx, int dy)
{
    if (!m_artwork)
        return;
    m_placement.drag(dx, dy);
    m_preview.reset();
}

void FrameState::append(PlacementKind kind, int amount)
{
    if (!m_artwork)
        return;
    m_placement.append(kind, amount);
    m_preview.reset();
}

Rect FrameState::window() const
{
    if (!m_artwork)
        return {};
    const Image& picture = m_artwork->picture;
    return frameWindow({ picture.width(), picture.height() }, { m_artwork->mask.width(), m_artwork->mask.height() },
        m_offset);
}

const Image* FrameState::preview(const Image& photoDisplay, const Allocator& allocator)
{
    if (!m_artwork || !m_display || !m_displayMask)
        return nullptr;
    if (!m_preview) {
        const double scale = m_placement.displayScale();
        const Point offset { int(std::lround(m_offset.x * scale)), int(std::lround(m_offset.y * scale)) };
        const Image& frame = m_display->image;
        const Rect window = frameWindow({ frame.width(), frame.height() },
            { m_displayMask->width(), m_displayMask->height() }, offset);
        // The display copy of the photo is smaller than the photo the placement is made for.
        const double photoScale = double(photoDisplay.width()) / std::max(1, m_placement.photo().width);
        const Placement placement = m_placement.displayTransform().forSourceScaled(photoScale);
        m_preview = composeFrame(frame, *m_displayMask, window, photoDisplay, placement, allocator);
    }
    return m_preview ? &*m_preview : nullptr;
}

std::optional<Image> FrameState::result(const Image& photo, const Allocator& allocator) const
{
    if (!m_artwork)
        return std::nullopt;
    return composeFrame(m_artwork->picture, m_artwork->mask, window(), photo, m_placement.fullTransform(), allocator);
}

bool WorkflowState::start(std::shared_ptr<const Image> photo, Size window, const Allocator& allocator, int unit)
{
    clear();
    if (!photo || photo->width() <= 0 || photo->height() <= 0)
        return false;
    unit = std::max(unit, 1);
    auto display = makeDisplayCopy(*photo, window, allocator, unit);
    if (!display)
        return false;
    m_photo = std::move(photo);
    m_display = std::move(display);
    m_window = window;
    m_unit = unit;
    crop = CropRectangle(m_display->rect, unit);
    return true;
}

bool WorkflowState::rescale(Size window, const Allocator& allocator, int unit, const EffectsLibrary* library)
{
    if (!hasPhoto())
        return false;
    unit = std::max(unit, 1);
    // Everything that can fail comes first, so a failure leaves the old copies in place.
    auto display = makeDisplayCopy(*m_photo, window, allocator, unit);
    if (!display || !frame.rescale(window, allocator, unit))
        return false;
    m_display = std::move(display);
    m_window = window;
    m_unit = unit;
    crop = crop.rescaled(m_display->rect, unit);
    edit.remake(m_display->image, library, allocator);
    return true;
}

void WorkflowState::clear()
{
    m_photo.reset();
    m_display.reset();
    m_window = {};
    m_unit = 1;
    crop = CropRectangle();
    edit = EditState();
    frame = FrameState();
}

} // namespace gp
