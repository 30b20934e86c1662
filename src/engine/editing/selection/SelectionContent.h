#pragma once
// The steps every selection-transforming operation shares. Before the transform the document's
// floating selection is made to hold the selection's content: an existing floating selection is
// swapped out of the picture (the picture then shows what lies beneath), otherwise the content is
// lifted from the picture (and stays there as well). Afterwards the new floating selection and
// mask are stored and swapped into the picture at their new place.

#include "base/Geometry.h"
#include "image/Allocator.h"
#include "image/Document.h"
#include "base/Rgb.h"

namespace gp {

// True when editing commands work on the document's selection instead of the whole picture.
bool hasSelection(const DocumentState& state);

enum class ContentSource { Swapped, Lifted };

// Makes state.floating hold the selection's content. Nothing when the lift fails (the document
// is unchanged).
std::optional<ContentSource> takeSelectionContent(DocumentState& state, Rgb fill, const Allocator& allocator);

// Undoes takeSelectionContent after a failed transform: the document is as it was before.
void restoreSelectionContent(DocumentState& state, ContentSource source);

// Stores a floating selection (holding its content) with its mask at `area` and swaps it into
// the picture. The selection is shown.
void placeSelection(DocumentState& state, Image floating, Image mask, Rect area);

// Exchanges the floating selection with the picture at the selection's place, if there is one.
void swapFloatingSelection(DocumentState& state);

// A mask of the given size with every pixel selected.
std::optional<Image> fullMask(int width, int height, const Allocator& allocator);

} // namespace gp
