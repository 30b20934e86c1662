#include "layout/LayoutPage.h"

#include "editing/transform/QuarterTurn.h"

#include <algorithm>

namespace gp {

bool LayoutPage::isEmpty() const
{
    return std::none_of(m_slots.begin(), m_slots.end(), [](const PhotoHandle& p) { return p != nullptr; });
}

bool LayoutPage::holds(const Image* image) const
{
    return image && std::any_of(m_slots.begin(), m_slots.end(), [&](const PhotoHandle& p) { return p.get() == image; });
}

// The photo if no slot refers to it any more (its document should then close).
PhotoHandle LayoutPage::release(PhotoHandle photo) const
{
    return (photo && !holds(photo.get()) && photo != m_clipboard.photo && photo != m_freeStyle.photoClipboardImage)
        ? photo
        : nullptr;
}

PhotoHandle LayoutPage::clearFreeStyleClipboards()
{
    PhotoHandle photo = std::exchange(m_freeStyle.photoClipboardImage, nullptr);
    m_freeStyle.photoClipboard.reset();
    m_freeStyle.textClipboard.reset();
    m_freeStyle.lastCopied = ObjectKind::None;
    return release(std::move(photo));
}

PhotoHandle LayoutPage::addPhoto(PhotoHandle photo)
{
    PhotoHandle old = setPhoto(m_current, std::move(photo));
    setCurrentCell(m_current + 1);
    return old;
}

PhotoHandle LayoutPage::setPhoto(int slot, PhotoHandle photo)
{
    PhotoHandle old = std::exchange(m_slots[std::size_t(slot)], std::move(photo));
    return release(std::move(old));
}

void LayoutPage::replacePhoto(const Image* old, PhotoHandle replacement)
{
    for (auto& slot : m_slots)
        if (slot.get() == old)
            slot = replacement;
    if (m_clipboard.photo.get() == old)
        m_clipboard.photo = replacement;
    if (m_freeStyle.photoClipboardImage.get() == old)
        m_freeStyle.photoClipboardImage = replacement;
}

std::vector<PhotoHandle> LayoutPage::clear()
{
    std::vector<PhotoHandle> gone;
    for (int i = 0; i < kSlots; ++i) {
        if (PhotoHandle p = setPhoto(i, nullptr))
            gone.push_back(std::move(p));
        m_texts[std::size_t(i)].reset();
    }
    m_photoObjects.clear();
    m_freeTexts = TextList();
    m_freeStyle.selectedPhoto = m_freeStyle.selectedText = -1;
    m_freeStyle.lastSelected = ObjectKind::None;
    m_current = 0;
    return gone;
}

TextList& LayoutPage::textListFor(int cell, const Rect& composedIn)
{
    auto& list = m_texts[std::size_t(cell)];
    // A list composed for other proportions would not show; start afresh.
    if (!list || !list->fits(composedIn))
        list.emplace(composedIn);
    return *list;
}

bool LayoutPage::copyToEmptyCells(int cell)
{
    const PhotoHandle source = m_slots[std::size_t(cell)];
    if (!source)
        return false;
    for (auto& slot : m_slots)
        if (!slot)
            slot = source;
    return true;
}

PhotoHandle LayoutPage::dropPhoto(int source, int target, bool copy)
{
    PhotoHandle gone;
    if (source == target)
        return gone;
    auto s = std::size_t(source), t = std::size_t(target);
    if (copy || (!m_slots[t] && !m_texts[t])) {
        m_texts[t] = m_texts[s];
        gone = setPhoto(target, m_slots[s]);
    } else {
        std::swap(m_slots[s], m_slots[t]);
        std::swap(m_texts[s], m_texts[t]);
    }
    m_current = target;
    return gone;
}

PhotoHandle LayoutPage::cutCell(int cell)
{
    PhotoHandle gone = copyCell(cell);
    m_texts[std::size_t(cell)].reset();
    // The cut photo lives on in the cell clipboard.
    m_slots[std::size_t(cell)] = nullptr;
    return gone;
}

PhotoHandle LayoutPage::copyCell(int cell)
{
    PhotoHandle previous = std::exchange(m_clipboard.photo, m_slots[std::size_t(cell)]);
    m_clipboard.texts = m_texts[std::size_t(cell)];
    return release(std::move(previous));
}

PhotoHandle LayoutPage::pasteCell(int cell)
{
    if (!hasClipboard())
        return nullptr;
    m_texts[std::size_t(cell)] = m_clipboard.texts;
    // Texts copied from a cell without a photo join the cell's own photo.
    return m_clipboard.photo ? setPhoto(cell, m_clipboard.photo) : nullptr;
}

std::optional<PhotoHandle> LayoutPage::rotatePhoto(int cell, const Allocator& allocator)
{
    const PhotoHandle& photo = m_slots[std::size_t(cell)];
    if (!photo)
        return std::nullopt;
    std::optional<Image> turned = rotateQuarterTurns(*photo, 90, allocator);
    if (!turned)
        return std::nullopt;
    return setPhoto(cell, std::make_shared<Image>(std::move(*turned)));
}

PhotoHandle LayoutPage::deleteCell(int cell)
{
    m_texts[std::size_t(cell)].reset();
    return setPhoto(cell, nullptr);
}

bool LayoutPage::addPhotoObject(PhotoObject object)
{
    if (m_photoObjects.size() >= kMaxObjects)
        return false;
    m_photoObjects.push_back(object);
    return true;
}

} // namespace gp
