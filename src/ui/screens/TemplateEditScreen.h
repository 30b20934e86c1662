#pragma once
// The template editor, reached from the My Templates bar: the editor's page with its cells, the
// five tools (split across, split down, move edge, merge, grid with its columns and rows), the
// name field and New, Save and Delete (which asks first, then goes back to the page). OK keeps
// the changes (saving them) and Cancel asks whether to save changes that are not saved yet; both
// go back to the layout page, which shows the list as saved.

#include "layout/TemplateEditor.h"
#include "layout/TemplateEditorFile.h"
#include "screens/FrameScreen.h"

class QButtonGroup;
class QLineEdit;
class QSpinBox;

namespace gp::ui {

class TemplateEditorView;

class TemplateEditScreen : public FrameScreen {
public:
    explicit TemplateEditScreen(ScreenContext context);

    // Starts the editor on a new template (index -1) or on template index of the page's group,
    // and shows the screen.
    void open(int index);

    const TemplateEditor& editor() const { return m_editor; }
    TemplateEditorView* view() const { return m_view; }
    QLineEdit* nameField() const { return m_name; }
    void setShown(bool shown) override;

    // The panel's commands, as its buttons run them.
    void startNew();
    bool save();
    void deleteTemplate();

private:
    void bindButtons() override;
    void registerCommands() override;
    void accept() override;
    void cancel() override;
    void buildWidgets();
    // The page's group, added when missing (-1 when the store cannot take it).
    int group();

    TemplateEditor m_editor;
    EditorPage m_page;
    QWidget* m_panel = nullptr;
    TemplateEditorView* m_view = nullptr;
    QButtonGroup* m_tools = nullptr;
    QSpinBox* m_columns = nullptr;
    QSpinBox* m_rows = nullptr;
    QLineEdit* m_name = nullptr;
};

} // namespace gp::ui
