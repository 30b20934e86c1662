#pragma once
// The template editor and template.udf: the page the editor draws on (the printer's whole-inch
// page in editor pixels), the conversion of its cells to thousandths of an inch on the portrait
// page and back, and saving, opening and naming user templates through the template store.

#include "layout/TemplateEditor.h"
#include "layout/TemplateStore.h"
#include "draw/PageGeometry.h"

namespace gp {

// The editor's page for a printer page: the whole-inch page as large as fits into area, with its
// top-left corner at (0, 0), and the size it stands for in thousandths of an inch.
struct EditorPage {
    Rect rect;
    int widthThousandths = 1000;
    int heightThousandths = 1000;
    bool landscape() const { return heightThousandths < widthThousandths; }
};
EditorPage editorPage(const PageGeometry& page, Size area);

// Cells in editor pixels to the stored rectangles (thousandths of an inch on the portrait page),
// and back.
std::vector<Rect> cellsToStored(const std::vector<Rect>& cells, const EditorPage& page);
std::vector<Rect> storedToCells(const std::vector<Rect>& stored, const EditorPage& page);

// The name a new template gets: "My Template" while the group holds none, else "Untitled-" and
// the number it will have.
std::string newTemplateName(int templatesInGroup);

// Starts the editor on template index of the page's group, rotated for a landscape page; false
// (and the editor unchanged) when there is no such template.
bool openUserTemplate(TemplateEditor& editor, const TemplateStore& store, const PageGeometry& page,
    const EditorPage& editorPage, int index);

// Saves the editor's template into the page's group: a new one at the end, an edited one in its
// place. False when nothing was saved (no group, an edited template whose index is gone, or a
// failed write); the editor then keeps its changes.
bool saveUserTemplate(
    TemplateEditor& editor, TemplateStore& store, const PageGeometry& page, const EditorPage& editorPage);

} // namespace gp
