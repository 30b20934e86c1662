#pragma once
// The apply step of the adjustments, filters and effects on the active document. With a
// selection the routine works on the selection's content (the floating selection is swapped out
// of the picture, or the content is lifted), and its result becomes the floating selection,
// swapped into the picture, under the undo code + 2000; the rectangle and the mask stay as they
// are. Without one the routine works on the whole picture, which it replaces under the undo code.
// The previous undo state is discarded before the routine runs. When the routine gives nothing
// (wrong image type, Escape, no memory) the document is left exactly as it was. Returns 1 when
// the document changed, else 0 (also without an active document).

#include "editing/FilterRun.h"

#include <functional>
#include <optional>

namespace gp {

class App;

using EditRoutine = std::function<std::optional<Image>(const Image& source, const FilterRun& run)>;

inline constexpr int kSelectionUndoOffset = 2000;

int applyEdit(App& app, int undoCode, const EditRoutine& routine);

// What the preview of an adjustment, filter or effect dialog starts from: the active document's
// picture, or a lifted copy of its selection when the selection is not floating yet. Nothing
// without an active document or memory.
std::optional<Image> previewSource(App& app);

} // namespace gp
