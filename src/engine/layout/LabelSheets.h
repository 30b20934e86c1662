#pragma once
// Label sheets from lblspec.ini: the label prefixes of section "LABELPREFIX" (key = prefix, value
// = display name), and per prefix and paper size a section whose keys are label products with
// eight comma-separated integers: left, top, cell width, cell height, horizontal and vertical
// pitch in 1/600 inch, then columns and rows.

#include "layout/SheetLayout.h"
#include "draw/PageGeometry.h"
#include "shell/ProfileFile.h"

#include <string>
#include <vector>

namespace gp {

struct LabelPrefix {
    std::string key;         // up to 9 characters
    std::string displayName; // up to 19 characters
    friend bool operator==(const LabelPrefix&, const LabelPrefix&) = default;
};

inline constexpr std::size_t kMaxLabelPrefixes = 22;
inline constexpr std::size_t kMaxLabelSheets = 200;

// The prefixes in file order (at most 22; later ones are ignored); the single entry "AV" /
// "None" when the file or its section is missing.
std::vector<LabelPrefix> readLabelPrefixes(const ProfileFile& labelSpec);

// prefix + "W_H", the paper's size in 1/600 inch rounded to the nearest multiple of 20.
std::string labelSectionName(const std::string& prefixKey, const PageGeometry& page);

// The sheets of a section, converted to printer pixels (at most 200). Entries that do not hold
// eight integers, or whose cells, columns or rows are not positive, are passed over.
std::vector<SheetLayout> readLabelSheets(const ProfileFile& labelSpec, const std::string& section,
                                         const PageGeometry& page);

// The one-cell layout covering the printable area, used when a section has no sheets.
SheetLayout wholePageSheet(const PageGeometry& page);

} // namespace gp
