// Runs the editor's operations (split-v:X,Y, split-h:X,Y, grid:X,Y,C,R, merge:X1,Y1,X2,Y2,
// edge:X,Y,TOX,TOY) in editor pixels of a page 600 pixels high, with the editor's answers: a
// refused operation beeps, one that would pass 100 cells shows "Can't add more cells!".

#include "TemplateEditCommand.h"

#include "Json.h"
#include "PageOptions.h"
#include "layout/LayoutList.h"
#include "layout/TemplateEditorFile.h"
#include "shell/StringTable.h"

#include <iostream>

namespace gp::cli {

namespace {

constexpr int kEditorPageHeight = 600;

std::string rectJson(const Rect& r)
{
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + ","
        + std::to_string(r.bottom) + "]";
}

std::string rectsJson(const std::vector<Rect>& rects)
{
    std::string json = "[";
    for (std::size_t i = 0; i < rects.size(); ++i)
        json += (i ? "," : "") + rectJson(rects[i]);
    return json + "]";
}

// A merge happens when the press and the release both fall on the same two cells' common edge.
EditOutcome mergeByDrag(TemplateEditor& editor, Point press, Point release)
{
    const auto pressed = editor.mergePairAt(press);
    const auto released = editor.mergePairAt(release);
    if (!pressed || !released || pressed->first != released->first || pressed->second != released->second)
        return EditOutcome::Refused;
    return editor.merge(press);
}

// One operation; false when it is not one (a usage error).
bool runOperation(TemplateEditor& editor, const std::string& op, Host& host)
{
    const std::size_t colon = op.find(':');
    if (colon == std::string::npos)
        return false;
    const std::string kind = op.substr(0, colon);
    std::vector<int> v;
    if (!parseInts(std::string_view(op).substr(colon + 1), v))
        return false;
    EditOutcome outcome;
    if (kind == "split-v" && v.size() == 2)
        outcome = editor.splitVertical({ v[0], v[1] });
    else if (kind == "split-h" && v.size() == 2)
        outcome = editor.splitHorizontal({ v[0], v[1] });
    else if (kind == "grid" && v.size() == 4)
        outcome = editor.gridSplit({ v[0], v[1] }, v[2], v[3]);
    else if (kind == "merge" && v.size() == 4)
        outcome = mergeByDrag(editor, { v[0], v[1] }, { v[2], v[3] });
    else if (kind == "edge" && v.size() == 4) {
        const auto edge = editor.edgeAt({ v[0], v[1] });
        outcome = edge ? editor.moveEdge(*edge, edge->vertical ? v[2] : v[3]) : EditOutcome::Refused;
    } else
        return false;
    if (outcome == EditOutcome::Refused)
        host.beep();
    else if (outcome == EditOutcome::TooManyCells)
        host.message(text(StringId::CaptionWarning), text(StringId::TooManyCells), Icon::Warning);
    return true;
}

} // namespace

int runTemplateEdit(CliContext& context, const std::vector<std::string>& words, const PageGeometry& page)
{
    if (words.size() < 2)
        return usageError("templates edit NAME [--page ...] OP...");
    App& app = context.app;
    TemplateStore& store = app.templateStore();
    const EditorPage editorPageRect = editorPage(page, { 1 << 20, kEditorPageHeight });
    TemplateEditor editor;
    const std::string name = templateNameFromEditor(words[1]);
    const int group = store.findOrAddGroup(templateGroupKey(page));
    if (group < 0)
        return kExitFailed;
    bool opened = false;
    for (int i = 0; i < store.templateCount(group) && !opened; ++i)
        if (store.get(group, i).name == name)
            opened = openUserTemplate(editor, store, page, editorPageRect, i);
    if (!opened)
        editor.reset(editorPageRect.rect, name);
    for (std::size_t i = 2; i < words.size(); ++i)
        if (!runOperation(editor, words[i], app.host()))
            return usageError("templates edit NAME [--page ...] OP...");
    if (!saveUserTemplate(editor, store, page, editorPageRect)) {
        std::cerr << "glimmerpress-cli: the template was not saved\n";
        return kExitFailed;
    }
    std::cout << JsonLine()
                     .add("index", editor.templateIndex())
                     .add("name", editor.name())
                     .addRaw("page", rectJson(editorPageRect.rect))
                     .addRaw("cells", rectsJson(editor.cells()))
                     .addRaw("stored", rectsJson(cellsToStored(editor.cells(), editorPageRect)))
                     .str()
              << '\n';
    return kExitOk;
}

} // namespace gp::cli
