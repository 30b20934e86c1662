#include "dialogs/TemplateCommand.h"

#include "app/App.h"
#include "shell/CommandIds.h"

namespace gp::ui {

TemplateCommand::TemplateCommand(QWidget* owner, App& app, std::function<void()> openPhoto)
    : QObject(owner)
    , m_owner(owner)
    , m_app(&app)
    , m_openPhoto(std::move(openPhoto))
{
    // Any photo will do; without one the command beeps.
    app.commands().set(command::Template,
        [this](std::string_view) {
            run();
            return 0;
        },
        { ImageType::Gray8, ImageType::Rgb24, ImageType::Indexed8, ImageType::Indexed4, ImageType::BlackWhite });
}

bool TemplateCommand::run()
{
    if (m_dialog)
        return false;
    if (!m_app->activeDocument()) {
        m_app->host().beep();
        return false;
    }
    TemplateDialog dialog(m_owner, *m_app, m_state, m_openPhoto);
    m_dialog = &dialog;
    dialog.exec();
    m_dialog = nullptr;
    // The dialog measured the page in its own orientation; the layout screen wants the printer's.
    (void)m_app->printer().openContext();
    return true;
}

} // namespace gp::ui
