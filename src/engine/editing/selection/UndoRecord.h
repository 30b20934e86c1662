#pragma once
// The program's one undo record: the state that the last undoable operation replaced, tied to
// the document it was made in. Undo exchanges that state with the document's, so a second Undo
// redoes; the sign of the code tells which (positive: can be undone, negative: can be redone).
//
// The code's absolute value says what is kept (the string id of the operation's name plus 0 for
// a replaced image, 2000, 3000, 7000 or 10000 for selection changes):
//   1000..1999   image, selection rectangle, selection shown
//   2000..2999   selection rectangle, selection shown, mask
//   3000..3999   selection shown, floating
//   4000..4999   selection rectangle, selection shown, mask, floating
//   5000..5999   selection rectangle, selection shown, floating
//   6000..6999   selection rectangle, selection shown
//   7000..8999   selection rectangle, selection shown, mask, floating
//   9000..10999  nothing beyond the code
//   11000..      image, selection rectangle, selection shown, mask, floating
//
// Recording takes the kept mask and floating selection out of the document (the record owns
// them; the operation stores new ones). A kept floating selection must be swapped out of the
// picture first, so that it holds the selection's content: Undo swaps the document's floating
// selection out before the exchange and the restored one back in after it, which gives back
// exactly the picture that was there.

#include "base/Geometry.h"
#include "image/Image.h"

#include <memory>
#include <optional>

namespace gp {

class DocumentList;
class DocumentViewPort;
class Document;

namespace undo {
inline constexpr int CutImage = 1001;
inline constexpr int FlipHorizontal = 1012;
inline constexpr int FlipVertical = 1013;
inline constexpr int Rotate = 1015;
inline constexpr int Resize = 1016;
inline constexpr int CutSelection = 3001;
inline constexpr int PasteWhole = 4003;
inline constexpr int FlipHorizontalSelection = 4012;
inline constexpr int FlipVerticalSelection = 4013;
inline constexpr int RotateSelection = 4015;
inline constexpr int ResizeSelection = 4016;
inline constexpr int DiscardSelection = 4078;
inline constexpr int PasteIntoSelection = 8003;
inline constexpr int Crop = 11005;
} // namespace undo

class UndoRecord {
public:
    int code() const { return m_code; }
    bool isEmpty() const { return m_code == 0; }
    const Document* document() const { return m_document; }

    // Prepares the record before an operation changes the document. Recording 4015, 4016, 5075
    // or 6076 again for the same document while the record holds that code keeps the record, so
    // a drag of many small steps undoes in one.
    void record(Document& document, int code);

    // Empties the record when it belongs to the document (any document when null).
    void drop(const Document* document = nullptr);

    // Undo (and redo) on the active document; true when something was exchanged.
    bool undo(DocumentList& documents, DocumentViewPort& view);

    // The kept selection, which repeated turns and handle resizes start from again.
    Rect savedSelection() const { return m_selection; }
    bool savedSelectionShown() const { return m_selectionShown; }
    const std::optional<Image>& savedMask() const { return m_mask; }
    const std::optional<Image>& savedFloating() const { return m_floating; }

private:
    void clear();

    int m_code = 0;
    const Document* m_document = nullptr;
    std::shared_ptr<Image> m_image;
    Rect m_selection;
    bool m_selectionShown = false;
    std::optional<Image> m_mask;
    std::optional<Image> m_floating;
};

} // namespace gp
