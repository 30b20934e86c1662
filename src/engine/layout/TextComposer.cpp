#include "layout/TextComposer.h"

#include <algorithm>

namespace gp {

namespace {

Rect shifted(const Rect& r, int dx, int dy)
{
    return { r.left + dx, r.top + dy, r.right + dx, r.bottom + dy };
}

// How far a span [from, to) must move to end inside [low, high) without starting before low.
int pushInto(int from, int to, int low, int high)
{
    int delta = 0;
    if (to > high)
        delta = high - to;
    if (from + delta < low)
        delta = low - from;
    return delta;
}

} // namespace

FontSpec textFont(const TextSettings& settings, int dpiY)
{
    FontSpec font;
    font.face = settings.face;
    // Rounded to the nearest pixel, halves away from zero.
    font.height = int((static_cast<long long>(settings.points) * dpiY + 36) / 72);
    font.weight = settings.style >= 2 ? 700 : 400;
    font.italic = settings.style == 1 || settings.style == 3;
    return font;
}

TextSettings settingsOf(const TextItem& item, int dpiY)
{
    TextSettings settings;
    settings.face = item.font.face;
    settings.points = int((static_cast<long long>(item.font.height) * 72 + std::max(dpiY, 1) / 2) / std::max(dpiY, 1));
    settings.style = (item.font.weight >= 700 ? 2 : 0) + (item.font.italic ? 1 : 0);
    settings.color = item.color;
    settings.align = item.align;
    return settings;
}

std::string itemTextFromBox(std::string_view boxText)
{
    boxText = boxText.substr(0, TextItem::kMaxLength);
    std::string text;
    for (char c : boxText) {
        if (c == '\t')
            text.append(4, ' ');
        else
            text += c;
    }
    return text;
}

TextList relaidOut(const TextList& list, const Rect& box)
{
    TextList result(box);
    const Rect& from = list.rect();
    const int fromSide = std::max(from.width(), from.height());
    if (fromSide <= 0)
        return result;
    const double f = double(std::max(box.width(), box.height())) / fromSide;
    auto mapX = [&](int x) { return box.left + int((x - from.left) * f); };
    auto mapY = [&](int y) { return box.top + int((y - from.top) * f); };
    for (TextItem item : list.items()) {
        item.rect = { mapX(item.rect.left), mapY(item.rect.top), mapX(item.rect.right), mapY(item.rect.bottom) };
        item.font.height = std::max(1, int(item.font.height * f));
        result.items().push_back(std::move(item));
    }
    return result;
}

TextComposer::TextComposer(LayoutPage& page, std::optional<int> cell, const Rect& box)
    : m_page(&page)
    , m_cell(cell)
    , m_box(box)
    , m_list(box)
{
}

TextComposer TextComposer::forCell(LayoutPage& page, int cell, const Rect& box)
{
    TextComposer composer(page, cell, box);
    composer.m_original = page.textList(cell);
    if (const auto& existing = page.textList(cell)) {
        if (existing->fits(box))
            composer.m_list = relaidOut(*existing, box);
        else
            page.dropTextList(cell);
    }
    return composer;
}

TextComposer TextComposer::forFreeStyle(LayoutPage& page, const Rect& box)
{
    TextComposer composer(page, std::nullopt, box);
    composer.m_original = page.freeStyleTexts();
    if (!page.freeStyleTexts().items().empty()) {
        composer.m_list = relaidOut(page.freeStyleTexts(), box);
        for (TextItem& item : composer.m_list.items())
            item.rect = shifted(item.rect, 0, kFreeStyleShift);
    }
    return composer;
}

TypingResult TextComposer::type(std::string_view boxText, const TextSettings& settings, int dpiY)
{
    std::string text = itemTextFromBox(boxText);
    auto& items = m_list.items();
    if (m_current && *m_current < items.size()) {
        if (text.empty()) {
            items.erase(items.begin() + std::ptrdiff_t(*m_current));
            m_current.reset();
            return TypingResult::Deleted;
        }
        if (items[*m_current].text == text)
            return TypingResult::None;
        items[*m_current].text = std::move(text);
        return TypingResult::Changed;
    }
    m_current.reset();
    if (text.empty())
        return TypingResult::None;
    if (items.size() >= limit())
        return TypingResult::Refused;
    items.push_back({ std::move(text), textFont(settings, dpiY), settings.color, settings.align, m_box });
    m_current = items.size() - 1;
    return TypingResult::Added;
}

std::optional<std::size_t> TextComposer::itemAt(DrawingContext& dc, Point p) const
{
    const auto& items = m_list.items();
    for (std::size_t i = items.size(); i-- > 0;)
        if (textExtent(dc, items[i]).contains(p))
            return i;
    return std::nullopt;
}

bool TextComposer::select(std::size_t index)
{
    if (index >= m_list.items().size())
        return false;
    m_current = index;
    return true;
}

void TextComposer::moveCurrent(int dx, int dy)
{
    if (m_current && *m_current < m_list.items().size()) {
        Rect& r = m_list.items()[*m_current].rect;
        r = shifted(r, dx, dy);
    }
}

void TextComposer::keepInside(DrawingContext& dc)
{
    if (!m_current || *m_current >= m_list.items().size())
        return;
    TextItem& item = m_list.items()[*m_current];
    const Rect extent = textExtent(dc, item);
    if (extent.isEmpty())
        return;
    item.rect = shifted(item.rect, pushInto(extent.left, extent.right, m_box.left, m_box.right),
        pushInto(extent.top, extent.bottom, m_box.top, m_box.bottom));
}

void TextComposer::apply(const TextSettings& settings, int dpiY)
{
    if (!m_current || *m_current >= m_list.items().size())
        return;
    TextItem& item = m_list.items()[*m_current];
    item.font = textFont(settings, dpiY);
    item.color = settings.color;
    item.align = settings.align;
}

void TextComposer::accept()
{
    if (m_cell) {
        if (m_list.items().empty())
            m_page->dropTextList(*m_cell);
        else
            m_page->setTextList(*m_cell, m_list);
        return;
    }
    TextList stored(m_box);
    for (TextItem item : m_list.items()) {
        item.rect = shifted(item.rect, 0, -kFreeStyleShift);
        item.rect = shifted(item.rect, pushInto(item.rect.left, item.rect.right, m_box.left, m_box.right),
            pushInto(item.rect.top, item.rect.bottom, m_box.top, m_box.bottom));
        stored.items().push_back(std::move(item));
    }
    m_page->freeStyleTexts() = std::move(stored);
}

void TextComposer::cancel()
{
    if (m_cell)
        m_page->setTextList(*m_cell, m_original);
    else
        m_page->freeStyleTexts() = m_original.value_or(TextList());
}

} // namespace gp
