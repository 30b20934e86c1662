#include "layout/TextList.h"

#include <algorithm>
#include <cmath>

namespace gp {

namespace {

std::string expandTabs(const std::string& line)
{
    std::string out;
    for (char c : line) {
        if (c == '\t')
            out.append(8 - out.size() % 8, ' ');
        else
            out += c;
    }
    return out;
}

// The left edge of a line of width pixels in the item rectangle r, by the item's alignment.
int lineLeft(DrawingContext& dc, const std::string& line, const FontSpec& font, TextAlign align, const Rect& r)
{
    if (align == TextAlign::Left)
        return r.left;
    int width = dc.measureText(line, font).width;
    // Italic letters lean out of their box by about a quarter of a character.
    if (font.italic)
        width += dc.measureText("n", font).width / 4;
    return align == TextAlign::Center ? r.left + (r.width() - width) / 2 : r.right - width;
}

int lineHeightOf(DrawingContext& dc, const FontSpec& font)
{
    return std::max(dc.measureText("Ag", font).height, 1);
}

} // namespace

std::vector<std::string> textLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else if (text[i] == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    for (auto& line : lines)
        line = expandTabs(line);
    return lines;
}

bool TextList::add(TextItem item)
{
    if (m_items.size() >= kMaxItems)
        return false;
    item.text.resize(std::min(item.text.size(), TextItem::kMaxLength));
    m_items.push_back(std::move(item));
    return true;
}

bool TextList::fits(const Rect& box) const
{
    if (m_rect.isEmpty() || box.isEmpty())
        return false;
    const double a = double(m_rect.width()) / m_rect.height();
    const double b = double(box.width()) / box.height();
    return std::fabs(a / b - 1.0) < 0.1;
}

void TextList::draw(DrawingContext& dc, const Rect& target, double fontScale) const
{
    const int from = std::max(m_rect.width(), m_rect.height());
    if (from <= 0)
        return;
    const double f = double(std::max(target.width(), target.height())) / from;
    auto mapX = [&](int x) { return target.left + int((x - m_rect.left) * f); };
    auto mapY = [&](int y) { return target.top + int((y - m_rect.top) * f); };
    for (const TextItem& item : m_items) {
        FontSpec font = item.font;
        font.height = int(item.font.height * f * fontScale);
        if (font.height == 0)
            continue;
        const Rect r{mapX(item.rect.left), mapY(item.rect.top), mapX(item.rect.right), mapY(item.rect.bottom)};
        const int lineHeight = lineHeightOf(dc, font);
        int y = r.top;
        for (const std::string& line : textLines(item.text)) {
            if (y > target.bottom)
                break;
            dc.drawText({lineLeft(dc, line, font, item.align, r), y}, line, font, TextAlign::Left, item.color, true);
            y += lineHeight;
        }
    }
}

Rect textExtent(DrawingContext& dc, const TextItem& item)
{
    if (item.text.empty())
        return {};
    const int lineHeight = lineHeightOf(dc, item.font);
    const std::vector<std::string> lines = textLines(item.text);
    Rect extent{item.rect.right, item.rect.top, item.rect.left, item.rect.top + lineHeight * int(lines.size())};
    for (const std::string& line : lines) {
        const int left = lineLeft(dc, line, item.font, item.align, item.rect);
        extent.left = std::min(extent.left, left);
        extent.right = std::max(extent.right, left + dc.measureText(line, item.font).width);
    }
    return extent;
}

} // namespace gp
