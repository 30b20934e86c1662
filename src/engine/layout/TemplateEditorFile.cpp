#include "layout/TemplateEditorFile.h"

#include "layout/LayoutList.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <cmath>

namespace gp {

EditorPage editorPage(const PageGeometry& page, Size area)
{
    EditorPage result;
    result.widthThousandths = std::max(page.wholeInchWidth, 1) * 1000 / std::max(page.dpiX, 1);
    result.heightThousandths = std::max(page.wholeInchHeight, 1) * 1000 / std::max(page.dpiY, 1);
    const double scale = std::min(double(std::max(area.width, 1)) / result.widthThousandths,
        double(std::max(area.height, 1)) / result.heightThousandths);
    result.rect = { 0, 0, std::max(1, int(std::lround(result.widthThousandths * scale))),
        std::max(1, int(std::lround(result.heightThousandths * scale))) };
    return result;
}

namespace {

int scaleValue(int value, double factor)
{
    return int(std::lround(value * factor));
}

Rect scaleRect(const Rect& r, double fx, double fy)
{
    return { scaleValue(r.left, fx), scaleValue(r.top, fy), scaleValue(r.right, fx), scaleValue(r.bottom, fy) };
}

} // namespace

std::vector<Rect> cellsToStored(const std::vector<Rect>& cells, const EditorPage& page)
{
    const double fx = double(page.widthThousandths) / page.rect.width();
    const double fy = double(page.heightThousandths) / page.rect.height();
    std::vector<Rect> stored;
    for (const Rect& cell : cells) {
        const Rect onPage { cell.left - page.rect.left, cell.top - page.rect.top, cell.right - page.rect.left,
            cell.bottom - page.rect.top };
        const Rect thousandths = scaleRect(onPage, fx, fy);
        stored.push_back(page.landscape() ? rotateForStorage(thousandths, page.heightThousandths) : thousandths);
    }
    return stored;
}

std::vector<Rect> storedToCells(const std::vector<Rect>& stored, const EditorPage& page)
{
    const double fx = double(page.rect.width()) / page.widthThousandths;
    const double fy = double(page.rect.height()) / page.heightThousandths;
    std::vector<Rect> cells;
    for (const Rect& s : stored) {
        const Rect onPage = page.landscape() ? rotateForLandscape(s, page.heightThousandths) : s;
        const Rect r = scaleRect(onPage, fx, fy);
        cells.push_back(
            { r.left + page.rect.left, r.top + page.rect.top, r.right + page.rect.left, r.bottom + page.rect.top });
    }
    return cells;
}

std::string newTemplateName(int templatesInGroup)
{
    return templatesInGroup == 0 ? std::string(text(StringId::MyTemplateName)) : untitledTemplateName(templatesInGroup);
}

bool openUserTemplate(TemplateEditor& editor, const TemplateStore& store, const PageGeometry& page,
    const EditorPage& editorPage, int index)
{
    const int group = store.findGroup(templateGroupKey(page));
    if (group < 0 || index < 0 || index >= store.templateCount(group))
        return false;
    // Read as stored (portrait) and turned here, so the editor and the list agree.
    const CellTemplate stored = store.get(group, index);
    editor.load(editorPage.rect, storedToCells(stored.cells, editorPage), stored.name, index);
    return true;
}

bool saveUserTemplate(
    TemplateEditor& editor, TemplateStore& store, const PageGeometry& page, const EditorPage& editorPage)
{
    const int group = store.findOrAddGroup(templateGroupKey(page));
    if (group < 0)
        return false;
    CellTemplate layout;
    layout.name = templateNameFromEditor(editor.name());
    layout.cells = cellsToStored(editor.cells(), editorPage);
    if (editor.isNew()) {
        if (!store.add(group, std::move(layout)))
            return false;
        editor.markSaved(store.templateCount(group) - 1);
        return true;
    }
    if (editor.templateIndex() >= store.templateCount(group)
        || !store.replace(group, editor.templateIndex(), std::move(layout)))
        return false;
    editor.markSaved(editor.templateIndex());
    return true;
}

} // namespace gp
