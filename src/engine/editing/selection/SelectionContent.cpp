#include "editing/selection/SelectionContent.h"

#include "editing/selection/LiftSelection.h"
#include "editing/selection/SwapSelection.h"

#include <cstring>

namespace gp {

bool hasSelection(const DocumentState& state)
{
    return state.mask.has_value() && state.selectionShown;
}

void swapFloatingSelection(DocumentState& state)
{
    if (state.floating && state.mask && state.image)
        swapSelection(*state.image, *state.mask, *state.floating, state.selection.left, state.selection.top);
}

std::optional<ContentSource> takeSelectionContent(DocumentState& state, Rgb fill, const Allocator& allocator)
{
    if (state.floating) {
        swapFloatingSelection(state);
        return ContentSource::Swapped;
    }
    auto lifted = liftSelection(
        *state.image, maskRect(*state.mask, state.selection.left, state.selection.top), fill, allocator);
    if (!lifted)
        return std::nullopt;
    state.floating = std::move(lifted);
    return ContentSource::Lifted;
}

void restoreSelectionContent(DocumentState& state, ContentSource source)
{
    if (source == ContentSource::Swapped)
        swapFloatingSelection(state);
    else
        state.floating.reset();
}

std::optional<Image> fullMask(int width, int height, const Allocator& allocator)
{
    auto mask = allocator.mask(width, height);
    if (!mask)
        return std::nullopt;
    const std::size_t wholeBytes = std::size_t(width) / 8;
    const std::uint8_t lastByte = std::uint8_t(0xFF00 >> (width % 8));
    for (int row = 0; row < height; ++row) {
        std::uint8_t* bits = mask->storedRow(row);
        std::memset(bits, 0xFF, wholeBytes);
        if (width % 8)
            bits[wholeBytes] = lastByte;
    }
    return mask;
}

void placeSelection(DocumentState& state, Image floating, Image mask, Rect area)
{
    state.floating = std::move(floating);
    state.mask = std::move(mask);
    state.selection = area;
    state.selectionShown = true;
    swapFloatingSelection(state);
}

} // namespace gp
