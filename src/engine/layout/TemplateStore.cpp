#include "layout/TemplateStore.h"

#include "base/AtomicFile.h"
#include "shell/StringTable.h"

#include <algorithm>

namespace gp {

namespace {

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kGroupRecordSize = 268;
// Big enough for 100 groups of 1000 templates.
constexpr std::size_t kMaxFileBytes = kHeaderSize + 100 * (kGroupRecordSize + 1000 * CellTemplate::kRecordSize);

} // namespace

PageSizeKey pageSizeKey(int widthThousandths, int heightThousandths)
{
    const auto w = std::uint32_t(std::max(widthThousandths, 0));
    const auto h = std::uint32_t(std::max(heightThousandths, 0));
    return {std::min(w, h), std::max(w, h)};
}

Result<void> TemplateStore::open()
{
    m_groups.clear();
    std::error_code ec;
    if (!std::filesystem::exists(m_path, ec)) {
        if (!write({}))
            return makeError(ErrorKind::Io, "cannot create " + m_path.string());
        return {};
    }
    auto bytes = readWholeFile(m_path, kMaxFileBytes);
    if (!bytes)
        return bytes.error();
    auto parsed = parse(*bytes);
    if (!parsed)
        m_groups.clear();
    return parsed;
}

Result<void> TemplateStore::parse(std::span<const std::uint8_t> bytes)
{
    ByteReader in(bytes);
    if (auto reserved = in.skip(4); !reserved)
        return reserved.error();
    auto groupCount = in.readI32Le();
    if (!groupCount)
        return groupCount.error();
    if (*groupCount < 0 || *groupCount > kMaxGroups)
        return makeError(ErrorKind::Malformed, "template.udf: group count out of range");
    std::vector<Group> groups(static_cast<std::size_t>(*groupCount));
    std::vector<int> counts;
    for (auto& group : groups) {
        auto record = in.readBytes(kGroupRecordSize);
        if (!record)
            return record.error();
        group.key = {loadU32Le(record->data() + 256), loadU32Le(record->data() + 260)};
        const auto count = std::int32_t(loadU32Le(record->data() + 264));
        if (count < 0 || count > kMaxTemplatesPerGroup)
            return makeError(ErrorKind::Malformed, "template.udf: template count out of range");
        counts.push_back(count);
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (int i = 0; i < counts[g]; ++i) {
            auto layout = CellTemplate::readRecord(in);
            if (!layout)
                return layout.error();
            groups[g].templates.push_back(std::move(layout).value());
        }
    }
    m_groups = std::move(groups);
    return {};
}

bool TemplateStore::write(const std::vector<Group>& groups)
{
    std::vector<std::uint8_t> out(kHeaderSize, 0);
    storeU32Le(out.data() + 4, std::uint32_t(groups.size()));
    for (const auto& group : groups) {
        const std::size_t at = out.size();
        out.resize(at + kGroupRecordSize, 0);
        storeU32Le(out.data() + at + 256, group.key.shortSide);
        storeU32Le(out.data() + at + 260, group.key.longSide);
        storeU32Le(out.data() + at + 264, std::uint32_t(group.templates.size()));
    }
    for (const auto& group : groups)
        for (const auto& layout : group.templates)
            layout.writeRecord(out);
    return writeFileAtomically(m_path, out).ok();
}

int TemplateStore::findGroup(PageSizeKey key) const
{
    for (std::size_t g = 0; g < m_groups.size(); ++g)
        if (m_groups[g].key == key)
            return int(g);
    return -1;
}

int TemplateStore::findOrAddGroup(PageSizeKey key)
{
    if (const int found = findGroup(key); found >= 0)
        return found;
    if (int(m_groups.size()) >= kMaxGroups)
        return -1;
    auto groups = m_groups;
    groups.push_back({key, {}});
    if (!write(groups))
        return -1;
    m_groups = std::move(groups);
    return int(m_groups.size()) - 1;
}

int TemplateStore::templateCount(int group) const
{
    return (group >= 0 && group < groupCount()) ? int(m_groups[std::size_t(group)].templates.size()) : 0;
}

CellTemplate TemplateStore::get(int group, int index, int landscapeHeight) const
{
    CellTemplate layout = m_groups.at(std::size_t(group)).templates.at(std::size_t(index));
    if (landscapeHeight > 0)
        for (Rect& cell : layout.cells)
            cell = rotateForLandscape(cell, landscapeHeight);
    return layout;
}

bool TemplateStore::add(int group, CellTemplate layout)
{
    if (group < 0 || group >= groupCount() || templateCount(group) >= kMaxTemplatesPerGroup || layout.cells.empty())
        return false;
    auto groups = m_groups;
    groups[std::size_t(group)].templates.push_back(std::move(layout));
    if (!write(groups))
        return false;
    m_groups = std::move(groups);
    return true;
}

bool TemplateStore::replace(int group, int index, CellTemplate layout)
{
    if (index < 0 || index >= templateCount(group) || layout.cells.empty())
        return false;
    auto groups = m_groups;
    groups[std::size_t(group)].templates[std::size_t(index)] = std::move(layout);
    if (!write(groups))
        return false;
    m_groups = std::move(groups);
    return true;
}

bool TemplateStore::remove(int group, int index)
{
    if (index < 0 || index >= templateCount(group))
        return false;
    auto groups = m_groups;
    auto& list = groups[std::size_t(group)].templates;
    list.erase(list.begin() + index);
    if (!write(groups))
        return false;
    m_groups = std::move(groups);
    return true;
}

Rect rotateForLandscape(Rect s, int h) { return {s.top, h - s.right, s.bottom, h - s.left}; }

Rect rotateForStorage(Rect l, int h) { return {h - l.bottom, l.left, h - l.top, l.right}; }

std::string untitledTemplateName(int templatesInGroup)
{
    return formatText(StringId::NumberedNameFormat, std::string(text(StringId::UntitledPrefix)).c_str(),
                      templatesInGroup + 1);
}

std::string templateNameFromEditor(const std::string& typed) { return typed.substr(0, 50); }

} // namespace gp
