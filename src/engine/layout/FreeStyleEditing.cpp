#include "layout/FreeStyleEditing.h"

#include "layout/PhotoFit.h"

#include <algorithm>

namespace gp {

namespace {

constexpr int kCascadeStep = 20;
constexpr int kCascadeSteps = 10;

Rect moved(const Rect& r, int dx, int dy)
{
    return { r.left + dx, r.top + dy, r.right + dx, r.bottom + dy };
}

// r moved (not resized) as little as possible to lie inside area; a rectangle larger than the area
// keeps to its top-left corner.
Rect keptInside(const Rect& r, const Rect& area)
{
    const int left = std::max(std::min(r.left, area.right - r.width()), area.left);
    const int top = std::max(std::min(r.top, area.bottom - r.height()), area.top);
    return moved(r, left - r.left, top - r.top);
}

Rect intersection(const Rect& a, const Rect& b)
{
    const Rect r { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom) };
    return r.isEmpty() ? Rect {} : r;
}

double listScale(const TextList& list, const Rect& target)
{
    const int from = std::max(list.rect().width(), list.rect().height());
    return from > 0 ? double(std::max(target.width(), target.height())) / from : 1.0;
}

bool validIndex(int index, std::size_t size)
{
    return index >= 0 && std::size_t(index) < size;
}

} // namespace

Rect newPhotoObjectRect(Size photo, int xPelsPerMeter, std::size_t objectsOnPage, const ViewPage& view)
{
    const int step = int(objectsOnPage % kCascadeSteps) * kCascadeStep;
    const Point corner { view.printable.left + step, view.printable.top + step };
    return adjustSize({ corner.x, corner.y, corner.x, corner.y }, photo, xPelsPerMeter, SizePreset::Default, view);
}

int slotForNewObject(const LayoutPage& page)
{
    std::array<bool, LayoutPage::kSlots> shown {};
    for (const PhotoObject& object : page.photoObjects())
        if (validIndex(object.slot, shown.size()))
            shown[std::size_t(object.slot)] = true;
    int firstUnshown = -1;
    for (int slot = 0; slot < LayoutPage::kSlots; ++slot) {
        if (shown[std::size_t(slot)])
            continue;
        if (!page.photo(slot))
            return slot;
        if (firstUnshown < 0)
            firstUnshown = slot;
    }
    return firstUnshown;
}

bool addPhotoObjectFor(LayoutPage& page, int slot, const ViewPage& view)
{
    if (!validIndex(slot, LayoutPage::kSlots) || !page.photo(slot))
        return false;
    const Image& photo = *page.photo(slot);
    const Rect rect = newPhotoObjectRect(
        { photo.width(), photo.height() }, photo.xPelsPerMeter(), page.photoObjects().size(), view);
    if (!page.addPhotoObject({ rect, slot }))
        return false;
    FreeStyleState& state = page.freeStyle();
    state.selectedPhoto = int(page.photoObjects().size()) - 1;
    state.selectedText = -1;
    state.lastSelected = ObjectKind::Photo;
    return true;
}

Rect textObjectRect(const TextList& list, const TextItem& item, const Rect& printable)
{
    const double f = listScale(list, printable);
    auto mapX = [&](int x) { return printable.left + int((x - list.rect().left) * f); };
    auto mapY = [&](int y) { return printable.top + int((y - list.rect().top) * f); };
    return { mapX(item.rect.left), mapY(item.rect.top), mapX(item.rect.right), mapY(item.rect.bottom) };
}

Point viewPointInList(const TextList& list, Point p, const Rect& printable)
{
    const double f = listScale(list, printable);
    return { list.rect().left + int((p.x - printable.left) / f), list.rect().top + int((p.y - printable.top) / f) };
}

Rect viewRectInList(const TextList& list, const Rect& r, const Rect& printable)
{
    const Point topLeft = viewPointInList(list, { r.left, r.top }, printable);
    const Point bottomRight = viewPointInList(list, { r.right, r.bottom }, printable);
    return { topLeft.x, topLeft.y, bottomRight.x, bottomRight.y };
}

ObjectKind selectObjectAt(LayoutPage& page, Point p, const Rect& printable)
{
    FreeStyleState& state = page.freeStyle();
    state.selectedPhoto = state.selectedText = -1;
    const TextList& texts = page.freeStyleTexts();
    // The object drawn last lies on top, so the lists are searched from their ends.
    for (int i = int(texts.items().size()) - 1; i >= 0; --i)
        if (textObjectRect(texts, texts.items()[std::size_t(i)], printable).contains(p)) {
            state.selectedText = i;
            return state.lastSelected = ObjectKind::Text;
        }
    const auto& photos = page.photoObjects();
    for (int i = int(photos.size()) - 1; i >= 0; --i)
        if (photos[std::size_t(i)].rect.contains(p)) {
            state.selectedPhoto = i;
            return state.lastSelected = ObjectKind::Photo;
        }
    return ObjectKind::None;
}

std::optional<Rect> selectedObjectRect(const LayoutPage& page, const Rect& printable)
{
    const FreeStyleState& state = page.freeStyle();
    const TextList& texts = page.freeStyleTexts();
    if (state.lastSelected == ObjectKind::Text && validIndex(state.selectedText, texts.items().size()))
        return textObjectRect(texts, texts.items()[std::size_t(state.selectedText)], printable);
    if (state.lastSelected == ObjectKind::Photo && validIndex(state.selectedPhoto, page.photoObjects().size()))
        return page.photoObjects()[std::size_t(state.selectedPhoto)].rect;
    return std::nullopt;
}

std::array<Rect, 8> objectHandles(const Rect& o, const Rect& printable)
{
    const int midX = (o.left + o.right) / 2;
    const int midY = (o.top + o.bottom) / 2;
    const Point centres[8] = { { o.left, o.top }, { midX, o.top }, { o.right, o.top }, { o.right, midY },
        { o.right, o.bottom }, { midX, o.bottom }, { o.left, o.bottom }, { o.left, midY } };
    std::array<Rect, 8> handles;
    for (std::size_t i = 0; i < handles.size(); ++i) {
        const Point c = centres[i];
        const Rect square { c.x - kHandleSize / 2, c.y - kHandleSize / 2, c.x - kHandleSize / 2 + kHandleSize,
            c.y - kHandleSize / 2 + kHandleSize };
        handles[i] = intersection(square, printable);
    }
    return handles;
}

std::optional<Handle> handleAt(const Rect& object, const Rect& printable, Point p)
{
    const auto handles = objectHandles(object, printable);
    for (std::size_t i = 0; i < handles.size(); ++i)
        if (handles[i].contains(p))
            return Handle(i);
    return std::nullopt;
}

Rect dragObject(const Rect& start, std::optional<Handle> handle, Point from, Point to, const Rect& printable)
{
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    if (!handle)
        return keptInside(moved(start, dx, dy), printable);
    Rect r = start;
    const Handle h = *handle;
    const bool left = h == Handle::TopLeft || h == Handle::BottomLeft || h == Handle::Left;
    const bool right = h == Handle::TopRight || h == Handle::BottomRight || h == Handle::Right;
    const bool top = h == Handle::TopLeft || h == Handle::Top || h == Handle::TopRight;
    const bool bottom = h == Handle::BottomLeft || h == Handle::Bottom || h == Handle::BottomRight;
    if (left)
        r.left = std::clamp(start.left + dx, printable.left, start.right - kMinObjectSide);
    if (right)
        r.right = std::clamp(
            start.right + dx, start.left + kMinObjectSide, std::max(printable.right, start.left + kMinObjectSide));
    if (top)
        r.top = std::clamp(start.top + dy, printable.top, start.bottom - kMinObjectSide);
    if (bottom)
        r.bottom = std::clamp(
            start.bottom + dy, start.top + kMinObjectSide, std::max(printable.bottom, start.top + kMinObjectSide));
    return r;
}

Rect shrinkToPhoto(const Rect& object, Size photo)
{
    if (photo.width <= 0 || photo.height <= 0)
        return object;
    const Rect fitted = fitPhoto(object, photo);
    return { object.left, object.top, object.left + std::max(fitted.width(), 1),
        object.top + std::max(fitted.height(), 1) };
}

void setSelectedObjectRect(LayoutPage& page, const Rect& r, const Rect& printable)
{
    FreeStyleState& state = page.freeStyle();
    TextList& texts = page.freeStyleTexts();
    if (state.lastSelected == ObjectKind::Text && validIndex(state.selectedText, texts.items().size())) {
        texts.items()[std::size_t(state.selectedText)].rect = viewRectInList(texts, r, printable);
        return;
    }
    if (state.lastSelected != ObjectKind::Photo || !validIndex(state.selectedPhoto, page.photoObjects().size()))
        return;
    PhotoObject& object = page.photoObjects()[std::size_t(state.selectedPhoto)];
    const PhotoHandle& photo = validIndex(object.slot, LayoutPage::kSlots) ? page.photo(object.slot) : nullptr;
    object.rect = photo ? shrinkToPhoto(r, { photo->width(), photo->height() }) : r;
}

std::optional<Rect> rotatedObjectRect(const Rect& object, const Rect& printable)
{
    const int width = object.height();
    const int height = object.width();
    if (width > printable.width() || height > printable.height())
        return std::nullopt;
    const int left = std::min(object.left, printable.right - width);
    const int top = std::min(object.top, printable.bottom - height);
    return Rect { left, top, left + width, top + height };
}

PhotoHandle deleteSelectedObject(LayoutPage& page)
{
    FreeStyleState& state = page.freeStyle();
    TextList& texts = page.freeStyleTexts();
    if (state.lastSelected == ObjectKind::Text && validIndex(state.selectedText, texts.items().size())) {
        texts.items().erase(texts.items().begin() + state.selectedText);
        state.selectedText = -1;
        return nullptr;
    }
    auto& photos = page.photoObjects();
    if (state.lastSelected != ObjectKind::Photo || !validIndex(state.selectedPhoto, photos.size()))
        return nullptr;
    const int slot = photos[std::size_t(state.selectedPhoto)].slot;
    photos.erase(photos.begin() + state.selectedPhoto);
    state.selectedPhoto = -1;
    // The object's photo leaves its slot with it.
    return validIndex(slot, LayoutPage::kSlots) ? page.setPhoto(slot, nullptr) : nullptr;
}

PhotoHandle copySelectedObject(LayoutPage& page)
{
    FreeStyleState& state = page.freeStyle();
    const TextList& texts = page.freeStyleTexts();
    if (state.lastSelected == ObjectKind::Text && validIndex(state.selectedText, texts.items().size())) {
        state.textClipboard = texts.items()[std::size_t(state.selectedText)];
        state.lastCopied = ObjectKind::Text;
        return nullptr;
    }
    const auto& photos = page.photoObjects();
    if (state.lastSelected != ObjectKind::Photo || !validIndex(state.selectedPhoto, photos.size()))
        return nullptr;
    const PhotoObject& object = photos[std::size_t(state.selectedPhoto)];
    state.photoClipboard = object;
    PhotoHandle previous = std::exchange(
        state.photoClipboardImage, validIndex(object.slot, LayoutPage::kSlots) ? page.photo(object.slot) : nullptr);
    state.lastCopied = ObjectKind::Photo;
    return page.releasedPhoto(std::move(previous));
}

PhotoHandle cutSelectedObject(LayoutPage& page)
{
    PhotoHandle released = copySelectedObject(page);
    PhotoHandle deleted = deleteSelectedObject(page);
    return released ? released : deleted;
}

bool canPasteObject(const LayoutPage& page)
{
    const FreeStyleState& state = page.freeStyle();
    return (state.photoClipboard && state.photoClipboardImage) || state.textClipboard;
}

bool pasteObject(LayoutPage& page, Point p, const Rect& printable)
{
    FreeStyleState& state = page.freeStyle();
    const bool photo = state.lastCopied == ObjectKind::Photo || !state.textClipboard;
    if (photo) {
        if (!state.photoClipboard || !state.photoClipboardImage
            || page.photoObjects().size() >= LayoutPage::kMaxObjects)
            return false;
        int slot = -1;
        for (int s = 0; s < LayoutPage::kSlots && slot < 0; ++s)
            if (!page.photo(s))
                slot = s;
        if (slot < 0)
            return false;
        page.setPhoto(slot, state.photoClipboardImage);
        const Rect& r = state.photoClipboard->rect;
        page.addPhotoObject({ keptInside(moved(r, p.x - r.left, p.y - r.top), printable), slot });
        state.selectedPhoto = int(page.photoObjects().size()) - 1;
        state.selectedText = -1;
        state.lastSelected = ObjectKind::Photo;
        return true;
    }
    TextList& texts = page.freeStyleTexts();
    TextItem item = *state.textClipboard;
    const Point at = viewPointInList(texts, p, printable);
    item.rect = moved(item.rect, at.x - item.rect.left, at.y - item.rect.top);
    if (!texts.add(std::move(item)))
        return false;
    state.selectedText = int(texts.items().size()) - 1;
    state.selectedPhoto = -1;
    state.lastSelected = ObjectKind::Text;
    return true;
}

} // namespace gp
