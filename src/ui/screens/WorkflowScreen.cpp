#include "screens/WorkflowScreen.h"

#include "app/WorkflowActions.h"
#include "gfx/QtImage.h"
#include "screens/WorkflowCanvas.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"

namespace gp::ui {

WorkflowScreen::WorkflowScreen(ScreenContext context, Screen screen, int area)
    : FrameScreen(std::move(context), screen, area)
    , m_canvas(new WorkflowCanvas(&frame()))
{
    m_canvas->setGeometry(this->area());
    m_canvas->hide();
}

void WorkflowScreen::setShown(bool shown)
{
    m_canvas->setVisible(shown);
    if (!shown)
        closeWorkflow();
}

bool WorkflowScreen::startWorkflow()
{
    const Size window { m_canvas->width(), m_canvas->height() };
    auto photo = workflowPhoto(app());
    // The layout page's buttons beep when there is no photo; here the screen just stays empty.
    if (!photo || !m_workflow.start(std::move(photo), window, app().allocator())) {
        m_canvas->clearPicture();
        return false;
    }
    return true;
}

void WorkflowScreen::closeWorkflow()
{
    m_workflow.clear();
    m_canvas->clearPicture();
}

void WorkflowScreen::openResult(std::optional<Image> result, StringId kind)
{
    if (!result)
        return;
    if (openWorkflowResult(app(), std::move(*result), kind))
        app().host().redrawPage();
}

void WorkflowScreen::saveResult(const std::optional<Image>& result, StringId kind)
{
    if (!result) {
        app().host().beep();
        return;
    }
    const auto saved = saveWorkflowResult(app(), *result, kind);
    // The saved photo may join an album through the program's Add To Album command, which
    // refuses an album that already holds 5000 photos.
    if (saved && app().commands().has(command::AddToAlbum))
        runCommand(command::AddToAlbum, QString::fromStdString(*saved));
}

void WorkflowScreen::show(const Image& picture, Rect place)
{
    m_canvas->setPicture(gfx::toQImage(picture), QRect(place.left, place.top, place.width(), place.height()));
}

} // namespace gp::ui
