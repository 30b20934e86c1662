#pragma once
// The page the layout screen fills with photos: 100 photo slots that share their images with the
// documents showing them, the cell that receives the next photo, a text list per cell, the
// photo-size percentage, the cell clipboard, and the free-style page's photo and text objects.
// Slots are independent of the layout: slot i shows in cell i of whatever layout is chosen.

#include "image/Allocator.h"
#include "layout/LayoutList.h"
#include "layout/TextList.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace gp {

using PhotoHandle = std::shared_ptr<Image>;

// A photo placed freely on the free-style page: its rectangle in view pixels and the slot whose
// photo it shows.
struct PhotoObject {
    Rect rect;
    int slot = 0;
    friend bool operator==(const PhotoObject&, const PhotoObject&) = default;
};

// What the free-style page has selected and holds in its clipboards: one photo object and one
// text object may be selected; the kind chosen last decides what Cut, Copy and Delete act on, and
// the kind cut or copied last what Paste inserts.
enum class ObjectKind { None, Photo, Text };

struct FreeStyleState {
    int selectedPhoto = -1;
    int selectedText = -1;
    ObjectKind lastSelected = ObjectKind::None;
    std::optional<PhotoObject> photoClipboard;
    PhotoHandle photoClipboardImage;
    std::optional<TextItem> textClipboard;
    ObjectKind lastCopied = ObjectKind::None;
};

class LayoutPage {
public:
    static constexpr int kSlots = 100;
    static constexpr std::size_t kMaxObjects = 99;

    // The photos, their slots and the current cell.
    const PhotoHandle& photo(int slot) const { return m_slots[std::size_t(slot)]; }
    int currentCell() const { return m_current; }
    void setCurrentCell(int cell) { m_current = ((cell % kSlots) + kSlots) % kSlots; }
    bool isEmpty() const;
    // Puts a newly opened photo into the current cell's slot and advances the current cell
    // (wrapping after 99). Returns the photo that dropped out of the page, if it is no longer
    // in any slot, so its document can be closed.
    PhotoHandle addPhoto(PhotoHandle photo);
    // Replaces one slot's photo (Paste, Rotate Photo); returns the photo that left the page.
    PhotoHandle setPhoto(int slot, PhotoHandle photo);
    // Replaces a photo wherever it stands (an edit of the document that shows it).
    void replacePhoto(const Image* old, PhotoHandle replacement);
    bool holds(const Image* image) const;
    // Empties every slot and drops every text list; returns the photos that left the page.
    std::vector<PhotoHandle> clear();

    int percent() const { return m_percent; }
    void setPercent(int percent) { m_percent = std::clamp(percent, 1, 100); }

    // The text list of a cell, created empty over rect when asked to.
    const std::optional<TextList>& textList(int cell) const { return m_texts[std::size_t(cell)]; }
    TextList& textListFor(int cell, const Rect& composedIn);
    void dropTextList(int cell) { m_texts[std::size_t(cell)].reset(); }
    // Puts a list (or none) in a cell's place, as the text screen stores or restores it.
    void setTextList(int cell, std::optional<TextList> list) { m_texts[std::size_t(cell)] = std::move(list); }

    // "Copy to Empty Cells": the photo of a cell into every empty slot. False when it is empty.
    bool copyToEmptyCells(int cell);
    // A photo dragged from source onto target: copied (with Ctrl, or onto a cell without photo
    // and text) or exchanged with the target's; the target becomes the current cell. Returns
    // the photo that left the page, if any.
    PhotoHandle dropPhoto(int source, int target, bool copy);
    // The cell clipboard: Cut, Copy, Paste and Delete of a cell, text lists travelling along.
    // Each returns the photo that left the page (the clipboard's previous one, or the deleted).
    PhotoHandle cutCell(int cell);
    PhotoHandle copyCell(int cell);
    PhotoHandle pasteCell(int cell);
    PhotoHandle deleteCell(int cell);
    // "Rotate Photo": the cell's photo turned a quarter clockwise and put back in its slot, the
    // other slots keeping theirs. Nothing when the cell is empty or the turn failed (no memory,
    // Escape); otherwise the photo that left the page (null when another slot still shows it).
    std::optional<PhotoHandle> rotatePhoto(int cell, const Allocator& allocator);
    bool hasClipboard() const { return m_clipboard.photo != nullptr || m_clipboard.texts.has_value(); }
    PhotoHandle clearClipboard() { return release(std::exchange(m_clipboard, {}).photo); }
    // Empties both free-style clipboards; returns the photo that left the page, if any.
    PhotoHandle clearFreeStyleClipboards();

    // The free-style page.
    const std::vector<PhotoObject>& photoObjects() const { return m_photoObjects; }
    std::vector<PhotoObject>& photoObjects() { return m_photoObjects; }
    bool addPhotoObject(PhotoObject object);
    TextList& freeStyleTexts() { return m_freeTexts; }
    const TextList& freeStyleTexts() const { return m_freeTexts; }
    FreeStyleState& freeStyle() { return m_freeStyle; }
    const FreeStyleState& freeStyle() const { return m_freeStyle; }
    // The photo if nothing on the page or in a clipboard refers to it any more.
    PhotoHandle releasedPhoto(PhotoHandle photo) const { return release(std::move(photo)); }

private:
    PhotoHandle release(PhotoHandle photo) const;

    struct CellClipboard {
        PhotoHandle photo;
        std::optional<TextList> texts;
    };

    std::array<PhotoHandle, kSlots> m_slots;
    std::array<std::optional<TextList>, kSlots> m_texts;
    int m_current = 0;
    int m_percent = 100;
    CellClipboard m_clipboard;
    std::vector<PhotoObject> m_photoObjects;
    TextList m_freeTexts;
    FreeStyleState m_freeStyle;
};

} // namespace gp
