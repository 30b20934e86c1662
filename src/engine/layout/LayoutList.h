#pragma once
// The list of layouts the layout screen offers for the current category and page: label sheets
// and one-size grids (SheetLayout), or generated layouts and user templates (CellTemplate). It is
// rebuilt when the screen opens, when the category or label prefix changes and after a user
// template is deleted.

#include "layout/CellTemplate.h"
#include "layout/LabelSheets.h"
#include "layout/LayoutCategory.h"
#include "layout/SheetLayout.h"
#include "layout/TemplateStore.h"
#include "draw/PageGeometry.h"

#include <vector>

namespace gp {

struct LayoutList {
    LayoutCategory category = kDefaultCategory;
    bool oneSize = false; // label geometry standing for a one-size grid
    int prefix = 0;       // selected label prefix
    std::vector<SheetLayout> sheets;       // labels and one-size grids
    std::vector<CellTemplate> templates;   // generated layouts and user templates
    int entries = 0;
    int selected = 0;
    int displayRows = 0; // three layouts a row
    int selectedRow = 0;
    // The one-inch grid of the generated layouts, in whole inches and printer pixels.
    int gridColumns = 1;
    int gridRows = 1;
    int gridWidth = 0;
    int gridHeight = 0;
    Point gridOffset;
    // For user templates: the group of the current page, or -1.
    int templateGroup = -1;

    bool usesSheets() const { return category == LayoutCategory::Labels; }
};

// What the list is built from besides the page.
struct LayoutSources {
    const ProfileFile* labelSpec = nullptr; // lblspec.ini
    TemplateStore* templates = nullptr;     // template.udf, already opened
};

// Fills the list for its category, one-size flag and prefix on the page. The one-size category
// turns into labels with the one-size flag. User templates read on a landscape page are rotated.
void buildLayoutList(LayoutList& list, const LayoutSources& sources, const PageGeometry& page);

// The group of the page's user templates: the whole-inch page in thousandths of an inch.
PageSizeKey templateGroupKey(const PageGeometry& page);

} // namespace gp
