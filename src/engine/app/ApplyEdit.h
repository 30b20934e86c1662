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

// The same for a dialog that only reads it while the document waits for the dialog: the active
// document's own picture is referred to rather than copied (a 6000 x 4000 photo's copy costs
// more than every preview after it), and only a lifted selection is held here.
class PreviewPicture {
public:
    PreviewPicture() = default;
    explicit PreviewPicture(const Image& document)
        : m_document(&document)
    {
    }
    explicit PreviewPicture(Image&& lifted)
        : m_lifted(std::move(lifted))
    {
    }

    explicit operator bool() const { return m_document || m_lifted; }
    const Image& operator*() const { return m_lifted ? *m_lifted : *m_document; }

private:
    const Image* m_document = nullptr;
    std::optional<Image> m_lifted;
};
PreviewPicture previewPicture(App& app);

} // namespace gp
