#include "layout/LayoutCategory.h"

namespace gp {

StringId categoryTitle(LayoutCategory category)
{
    switch (category) {
    case LayoutCategory::Labels: return StringId::CategoryLabels;
    case LayoutCategory::Mixed: return StringId::CategoryMixed;
    case LayoutCategory::Landscape: return StringId::CategoryLandscape;
    case LayoutCategory::Portrait: return StringId::CategoryPortrait;
    case LayoutCategory::OneSize: return StringId::CategoryOneSize;
    case LayoutCategory::MyTemplates: return StringId::CategoryMyTemplates;
    case LayoutCategory::FreeStyle: break;
    }
    return StringId::CategoryFreeStyle;
}

const std::vector<LayoutCategory>& fixedCategoryList()
{
    static const std::vector<LayoutCategory> list = {LayoutCategory::MyTemplates, LayoutCategory::FreeStyle,
                                                     LayoutCategory::Landscape,   LayoutCategory::Portrait,
                                                     LayoutCategory::Mixed,       LayoutCategory::OneSize};
    return list;
}

} // namespace gp
