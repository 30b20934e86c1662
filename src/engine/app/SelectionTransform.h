#pragma once
// Runs a transform of the active selection through the program's selection protocol: take the
// selection's content (swap the floating selection out or lift it), transform the content and
// the mask, keep the old state in the undo record and put the result in at its new place. When
// `repeat` is set, the transform starts again from the content, mask and rectangle kept in the
// undo record (repeated turns and handle resizes), so quality never degrades and one Undo
// restores the selection as first lifted. On failure the document is left as it was.

#include "base/Geometry.h"
#include "image/Image.h"

#include <functional>
#include <optional>

namespace gp {

class App;
class Document;

struct TransformedSelection {
    Image floating;
    Image mask;
    Rect area;
    bool shown = true;
};

using SelectionTransformFn
    = std::function<std::optional<TransformedSelection>(const Image& content, const Image& mask, Rect area)>;

// Returns 1 when the selection changed, 0 otherwise.
int transformSelection(App& app, Document& document, int undoCode, bool repeat, const SelectionTransformFn& transform);

// True when the undo record holds a selection transform with this code for the document, so the
// next one starts again from the state it keeps.
bool repeatsRecordedTransform(App& app, const Document& document, int undoCode);

// Replaces the whole picture with a transformed one: drops the previous undo state, computes the
// result, keeps the old picture in the undo record. Returns 1 when the picture changed.
int transformWholeImage(
    App& app, Document& document, int undoCode, const std::function<std::optional<Image>(const Image&)>& transform);

} // namespace gp
