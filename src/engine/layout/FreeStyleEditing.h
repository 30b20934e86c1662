#pragma once
// Working with the objects of the free-style page, in view pixels: where a new photo object goes,
// which object a click selects (texts before photos, the topmost first), the eight handles of the
// selected object, moving and resizing it inside the printable rectangle, turning a photo
// object's rectangle for Rotate Photo, and Cut, Copy, Paste and Delete of objects.

#include "layout/FreeStyle.h"
#include "layout/LayoutPage.h"

#include <array>
#include <optional>

namespace gp {

inline constexpr int kHandleSize = 7;
inline constexpr int kMinObjectSide = 8;

// Handles in the order top-left, top, top-right, right, bottom-right, bottom, bottom-left, left.
enum class Handle { TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };

// The rectangle of a photo object that is put on the page: the photo at its default size with
// its corner at the printable rectangle's corner, stepped down and right by 20 pixels for each
// object already there (ten steps, then from the corner again).
Rect newPhotoObjectRect(Size photo, int xPelsPerMeter, std::size_t objectsOnPage, const ViewPage& view);

// The slot a photo opened on the free-style page should go to: the first empty slot that no
// object shows, else the first slot no object shows; -1 when every slot is shown.
int slotForNewObject(const LayoutPage& page);

// Puts the photo that was just opened into slot as a new photo object and selects it; false when
// the page holds 99 objects already.
bool addPhotoObjectFor(LayoutPage& page, int slot, const ViewPage& view);

// A text object's rectangle in the view (its list drawn into the printable rectangle) and a view
// point in the list's own coordinates.
Rect textObjectRect(const TextList& list, const TextItem& item, const Rect& printable);
Point viewPointInList(const TextList& list, Point p, const Rect& printable);
Rect viewRectInList(const TextList& list, const Rect& r, const Rect& printable);

// Selects the object under p, testing the text objects first; the other kind's selection is
// cleared. Nothing under p clears both. Returns the kind selected.
ObjectKind selectObjectAt(LayoutPage& page, Point p, const Rect& printable);
// The selected object's rectangle in the view (the kind selected last), or nothing.
std::optional<Rect> selectedObjectRect(const LayoutPage& page, const Rect& printable);

// The eight handles of an object, clipped to the printable rectangle (a handle wholly outside
// it is empty), and the handle under p.
std::array<Rect, 8> objectHandles(const Rect& object, const Rect& printable);
std::optional<Handle> handleAt(const Rect& object, const Rect& printable, Point p);

// The object's rectangle after dragging from `from` to `to`: moved as a whole (no handle) and kept
// inside the printable rectangle, or resized from a handle with its edges kept on the printable
// rectangle and no side under 8 pixels.
Rect dragObject(const Rect& start, std::optional<Handle> handle, Point from, Point to, const Rect& printable);
// A photo object's rectangle shrunk to its photo's proportions, keeping its top-left corner.
Rect shrinkToPhoto(const Rect& object, Size photo);
// Stores the dragged rectangle into the selected object (a photo object is shrunk to its photo).
void setSelectedObjectRect(LayoutPage& page, const Rect& r, const Rect& printable);

// Rotate Photo's new rectangle: width and height exchanged, the top-left corner kept but moved left
// and up as far as needed to stay on the printable rectangle; nothing when it cannot fit.
std::optional<Rect> rotatedObjectRect(const Rect& object, const Rect& printable);

// Cut, Copy and Delete act on the selected object of the kind selected last; Paste puts a copy of
// the object cut or copied last at p. Each returns the photo that left the page (its document
// should close), if any. Paste is refused (false) when the list is full or no slot is free.
PhotoHandle deleteSelectedObject(LayoutPage& page);
PhotoHandle copySelectedObject(LayoutPage& page);
PhotoHandle cutSelectedObject(LayoutPage& page);
bool pasteObject(LayoutPage& page, Point p, const Rect& printable);
bool canPasteObject(const LayoutPage& page);

} // namespace gp
