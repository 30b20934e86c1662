#include "screens/TemplateEditScreen.h"

#include "layout/LayoutList.h"
#include "app/App.h"
#include "shell/ButtonIds.h"
#include "shell/CommandIds.h"
#include "shell/StringTable.h"
#include "skin/ButtonLayout.h"
#include "views/TemplateEditorView.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace gp::ui {

namespace {

QString qtext(StringId id)
{
    return QString::fromUtf8(text(id).data(), qsizetype(text(id).size()));
}

// The panel of tools and commands, left of the editor's page.
constexpr Rect kPanelRect { 12, 68, 172, 528 };

} // namespace

TemplateEditScreen::TemplateEditScreen(ScreenContext context)
    : FrameScreen(std::move(context), Screen::TemplateEdit, button::TemplateArea)
{
    buildWidgets();
}

void TemplateEditScreen::buildWidgets()
{
    m_view = new TemplateEditorView(&frame(), m_editor, app().host());
    m_view->setGeometry(area());
    m_view->hide();

    m_panel = new QWidget(&frame());
    const Rect panel = scaled(kPanelRect, mode640());
    m_panel->setGeometry(panel.left, panel.top, panel.width(), panel.height());
    m_panel->hide();
    auto* layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(4, 4, 4, 4);
    m_tools = new QButtonGroup(m_panel);
    const std::pair<StringId, EditorTool> tools[] = { { StringId::EditorToolSplitV, EditorTool::SplitVertical },
        { StringId::EditorToolSplitH, EditorTool::SplitHorizontal }, { StringId::EditorToolEdge, EditorTool::MoveEdge },
        { StringId::EditorToolMerge, EditorTool::Merge }, { StringId::EditorToolGrid, EditorTool::GridSplit } };
    for (const auto& [label, tool] : tools) {
        auto* button = new QToolButton(m_panel);
        button->setText(qtext(label));
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setObjectName(QStringLiteral("tool%1").arg(int(tool)));
        m_tools->addButton(button, int(tool));
        layout->addWidget(button);
    }
    m_tools->button(int(EditorTool::SplitVertical))->setChecked(true);
    QObject::connect(m_tools, &QButtonGroup::idClicked, m_panel, [this](int id) { m_editor.setTool(EditorTool(id)); });

    auto* grid = new QFormLayout;
    m_columns = new QSpinBox(m_panel);
    m_rows = new QSpinBox(m_panel);
    for (QSpinBox* box : { m_columns, m_rows }) {
        box->setRange(1, TemplateEditor::kMaxGrid);
        box->setValue(2);
        QObject::connect(box, &QSpinBox::valueChanged, m_panel, [this] {
            m_editor.setGrid(m_columns->value(), m_rows->value());
            // Changing the grid size means the grid tool is wanted.
            m_tools->button(int(EditorTool::GridSplit))->setChecked(true);
            m_editor.setTool(EditorTool::GridSplit);
        });
    }
    grid->addRow(qtext(StringId::EditorGridColumns), m_columns);
    grid->addRow(qtext(StringId::EditorGridRows), m_rows);
    layout->addLayout(grid);

    layout->addSpacing(12);
    layout->addWidget(new QLabel(qtext(StringId::EditorNameLabel), m_panel));
    m_name = new QLineEdit(m_panel);
    m_name->setMaxLength(int(TemplateEditor::kMaxNameLength));
    QObject::connect(
        m_name, &QLineEdit::textEdited, m_panel, [this](const QString& name) { m_editor.setName(name.toStdString()); });
    layout->addWidget(m_name);
    const std::pair<StringId, std::function<void()>> commands[] = { { StringId::EditorNew, [this] { startNew(); } },
        { StringId::EditorSave,
            [this] {
                if (!save())
                    app().host().beep();
            } },
        { StringId::EditorDelete, [this] { deleteTemplate(); } } };
    for (const auto& [label, action] : commands) {
        auto* button = new QPushButton(qtext(label), m_panel);
        QObject::connect(button, &QPushButton::clicked, m_panel, action);
        layout->addWidget(button);
    }
    layout->addStretch();
}

void TemplateEditScreen::bindButtons()
{
    bindOkCancel(button::TemplateOk, button::TemplateCancel);
}

void TemplateEditScreen::registerCommands()
{
    // The Delete key deletes the template being edited, as the panel's Delete does.
    onKey(command::KeyDelete, [this] {
        deleteTemplate();
        return command::ResultNone;
    });
}

void TemplateEditScreen::setShown(bool shown)
{
    m_view->setVisible(shown);
    m_panel->setVisible(shown);
}

int TemplateEditScreen::group()
{
    return app().templateStore().findOrAddGroup(templateGroupKey(app().printer().geometry()));
}

void TemplateEditScreen::open(int index)
{
    const PageGeometry& geometry = app().printer().geometry();
    m_page = editorPage(geometry, m_view->pageArea());
    TemplateStore& store = app().templateStore();
    if (index < 0 || !openUserTemplate(m_editor, store, geometry, m_page, index))
        m_editor.reset(m_page.rect, newTemplateName(store.templateCount(group())));
    m_name->setText(QString::fromStdString(m_editor.name()));
    app().screens().switchTo(Screen::TemplateEdit);
    m_view->update();
}

void TemplateEditScreen::startNew()
{
    // One cell again, under the name typed (or "My Template" when there is none).
    const std::string name = m_editor.name().empty() ? std::string(text(StringId::MyTemplateName)) : m_editor.name();
    m_editor.reset(m_page.rect, name);
    m_name->setText(QString::fromStdString(name));
    m_view->update();
}

bool TemplateEditScreen::save()
{
    return saveUserTemplate(m_editor, app().templateStore(), app().printer().geometry(), m_page);
}

void TemplateEditScreen::deleteTemplate()
{
    if (m_editor.isNew()) {
        app().host().beep();
        return;
    }
    if (app().host().ask(
            text(StringId::CaptionWarning), text(StringId::DeleteTemplateQuestion), Buttons::YesNo, Icon::Warning)
        == Answer::No)
        return;
    if (!app().templateStore().remove(group(), m_editor.templateIndex())) {
        app().host().beep();
        return;
    }
    // The template is gone: back to the page, whose list shows what is left.
    m_editor.reset(m_page.rect, m_editor.name());
    app().screens().switchTo(Screen::Layout);
}

void TemplateEditScreen::accept()
{
    if (m_editor.modified() && !save())
        app().host().beep();
}

void TemplateEditScreen::cancel()
{
    if (!m_editor.modified())
        return;
    if (app().host().ask(text(StringId::ProductName), text(StringId::EditorSaveChanges), Buttons::YesNo, Icon::Question)
            == Answer::Yes
        && !save())
        app().host().beep();
}

} // namespace gp::ui
