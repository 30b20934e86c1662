#include "editing/selection/UndoRecord.h"

#include "editing/selection/SelectionContent.h"
#include "image/Document.h"
#include "image/DocumentList.h"
#include "editing/DocumentViewPort.h"

#include <cstdlib>
#include <utility>

namespace gp {

namespace {

struct Kept {
    bool image = false;
    bool selection = false; // rectangle
    bool shown = false;
    bool mask = false;
    bool floating = false;
};

Kept keptFor(int code)
{
    const int c = std::abs(code);
    if (c >= 11000)
        return { true, true, true, true, true };
    if (c >= 9000)
        return {};
    if (c >= 7000)
        return { false, true, true, true, true };
    if (c >= 6000)
        return { false, true, true, false, false };
    if (c >= 5000)
        return { false, true, true, false, true };
    if (c >= 4000)
        return { false, true, true, true, true };
    if (c >= 3000)
        return { false, false, true, false, true };
    if (c >= 2000)
        return { false, true, true, true, false };
    if (c >= 1000)
        return { true, true, true, false, false };
    return {};
}

bool coalesces(int code)
{
    return code == 4015 || code == 4016 || code == 5075 || code == 6076;
}

} // namespace

void UndoRecord::clear()
{
    m_code = 0;
    m_document = nullptr;
    m_image.reset();
    m_selection = {};
    m_selectionShown = false;
    m_mask.reset();
    m_floating.reset();
}

void UndoRecord::record(Document& document, int code)
{
    if (m_code != 0 && code == m_code && m_document == &document && coalesces(code))
        return;
    clear();
    DocumentState& state = document.state();
    const Kept kept = keptFor(code);
    if (kept.image)
        m_image = state.image;
    if (kept.selection)
        m_selection = state.selection;
    if (kept.shown)
        m_selectionShown = state.selectionShown;
    if (kept.mask)
        m_mask = std::exchange(state.mask, std::nullopt);
    if (kept.floating)
        m_floating = std::exchange(state.floating, std::nullopt);
    m_code = code;
    m_document = &document;
}

void UndoRecord::drop(const Document* document)
{
    if (document == nullptr || document == m_document)
        clear();
}

bool UndoRecord::undo(DocumentList& documents, DocumentViewPort& view)
{
    Document* document = documents.active();
    if (m_code == 0 || document == nullptr || document != m_document)
        return false;
    DocumentState& state = document->state();
    const Kept kept = keptFor(m_code);
    const Rect before = state.selection;

    if (kept.floating)
        swapFloatingSelection(state);
    if (kept.image)
        m_image = document->replaceImage(std::move(m_image));
    if (kept.selection)
        std::swap(m_selection, state.selection);
    if (kept.shown)
        std::swap(m_selectionShown, state.selectionShown);
    if (kept.mask)
        std::swap(m_mask, state.mask);
    if (kept.floating) {
        std::swap(m_floating, state.floating);
        swapFloatingSelection(state);
    }
    m_code = -m_code;

    if (kept.image) {
        view.repaintDocument(*document, std::nullopt);
    } else {
        view.repaintDocument(*document, before);
        view.repaintDocument(*document, state.selection);
    }
    return true;
}

} // namespace gp
