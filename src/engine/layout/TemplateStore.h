#pragma once
// The user's own templates, kept in template.udf: an 8-byte header with the number of page-size
// groups (0..100), one 268-byte record per group (256 reserved bytes, the page's short and long
// side in thousandths of an inch, the number of templates 0..1000), then the 1860-byte template
// records of each group in turn. Templates are stored for the portrait page. The whole file is
// rewritten, atomically, after every change.

#include "base/Result.h"
#include "layout/CellTemplate.h"

#include <filesystem>
#include <vector>

namespace gp {

// A group's page: (smaller, larger) side in thousandths of an inch.
struct PageSizeKey {
    std::uint32_t shortSide = 0;
    std::uint32_t longSide = 0;
    friend bool operator==(const PageSizeKey&, const PageSizeKey&) = default;
};

// The key of a page of width × height thousandths, in either orientation.
PageSizeKey pageSizeKey(int widthThousandths, int heightThousandths);

class TemplateStore {
public:
    static constexpr int kMaxGroups = 100;
    static constexpr int kMaxTemplatesPerGroup = 1000;

    explicit TemplateStore(std::filesystem::path path) : m_path(std::move(path)) {}

    // Reads the file; a missing file is created with zero groups. A damaged file (a short read,
    // a count out of range, a bad record) leaves the store empty and answers the error.
    Result<void> open();

    int groupCount() const { return int(m_groups.size()); }
    // The group of a page size, or -1 when there is none (nothing is written).
    int findGroup(PageSizeKey key) const;
    // The group of a page size, added (and the file written) when missing; -1 when 100 groups
    // exist already or the file cannot be written.
    int findOrAddGroup(PageSizeKey key);
    int templateCount(int group) const;
    // A template as stored (portrait page), or rotated for a landscape page whose height is
    // landscapeHeight thousandths (0 for a portrait page).
    CellTemplate get(int group, int index, int landscapeHeight = 0) const;

    // Each change rewrites the whole file; false (and the store unchanged) when that fails or
    // the group or index is out of range.
    bool add(int group, CellTemplate layout);
    bool replace(int group, int index, CellTemplate layout);
    bool remove(int group, int index);

private:
    struct Group {
        PageSizeKey key;
        std::vector<CellTemplate> templates;
    };
    Result<void> parse(std::span<const std::uint8_t> bytes);
    bool write(const std::vector<Group>& groups);

    std::filesystem::path m_path;
    std::vector<Group> m_groups;
};

// A stored rectangle as it lies on a landscape page of height h, and back.
Rect rotateForLandscape(Rect stored, int h);
Rect rotateForStorage(Rect onLandscape, int h);

// Names of new templates: "Untitled-" + (templates in the group + 1), and names cut to 50.
std::string untitledTemplateName(int templatesInGroup);
std::string templateNameFromEditor(const std::string& typed);

} // namespace gp
