#include "screens/WorkflowScreen.h"

#include "app/WorkflowActions.h"
#include "gfx/QtImage.h"
#include "screens/WorkflowCanvas.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/ButtonIds.h"
#include "shell/Host.h"
#include "views/AlbumStrip.h"

namespace gp::ui {

namespace {

// The album window's mode of each screen's strip.
int stripMode(Screen screen)
{
    switch (screen) {
    case Screen::Crop:
        return 2;
    case Screen::Edit:
        return 3;
    default:
        return 4;
    }
}

const char* stripName(Screen screen)
{
    switch (screen) {
    case Screen::Crop:
        return "cropStrip";
    case Screen::Edit:
        return "editStrip";
    default:
        return "frameStrip";
    }
}

// The compact 640 layout puts the strip's first cell here instead of scaling the 800 place.
constexpr QPoint kStripAt640(23, 108);

} // namespace

WorkflowScreen::WorkflowScreen(ScreenContext context, Screen screen, int area)
    : FrameScreen(std::move(context), screen, area)
    , m_canvas(new WorkflowCanvas(&frame()))
    , m_strip(new AlbumStrip(&frame(), app(), stripMode(screen), DisplaySetup { 24, &app().gammaTables(), nullptr }))
{
    m_canvas->setGeometry(this->area());
    m_canvas->hide();
    m_strip->setObjectName(stripName(screen));
    m_strip->move(mode640() ? kStripAt640 : placeOf(button::StripArea).topLeft());
    m_strip->hide();
    m_strip->setClickHandler([this](const std::string& path) { stripClicked(path); });
    m_canvas->densityChanged = [this] { rescale(); };
}

void WorkflowScreen::rescale()
{
    const int density = m_canvas->screenDensity();
    if (!m_workflow.hasPhoto()) {
        // Nothing is shown; the next photo is made at the screen's density anyway.
        m_canvas->setDensity(density);
        return;
    }
    if (density == m_workflow.unit() && density == m_canvas->density())
        return;
    const Size window { m_canvas->width() * density, m_canvas->height() * density };
    // Without memory for the new copies the old ones stay, painted at the old density.
    if (!m_workflow.rescale(window, app().allocator(), density, effects()))
        return;
    m_canvas->setDensity(density);
    rescaled();
}

void WorkflowScreen::setShown(bool shown)
{
    m_canvas->setVisible(shown);
    if (shown) {
        prepareStrip();
        m_strip->open();
    } else {
        closeWorkflow();
        m_strip->close();
    }
    m_strip->setVisible(shown);
}

bool WorkflowScreen::startWorkflow()
{
    // The layout page's buttons beep when there is no photo; here the screen just stays empty.
    if (!start(workflowPhoto(app()))) {
        m_canvas->clearPicture();
        return false;
    }
    return true;
}

bool WorkflowScreen::start(std::shared_ptr<const Image> photo)
{
    // The display copy is made at the screen's own pixels; the canvas keeps the density it was
    // made for, so its painting and its mouse agree with the copy.
    m_canvas->setDensity(m_canvas->screenDensity());
    return photo
        && m_workflow.start(std::move(photo), m_canvas->displaySize(), app().allocator(), m_canvas->density());
}

bool WorkflowScreen::loadPhoto(const std::string& path)
{
    auto photo = readWorkflowPhoto(app(), path);
    if (!photo) {
        app().host().beep();
        return false;
    }
    // The display copy is made before the old state goes, so a failure leaves the screen as it was.
    WorkflowState loaded;
    const int density = m_canvas->screenDensity();
    const Size window { m_canvas->width() * density, m_canvas->height() * density };
    if (!loaded.start(std::move(photo), window, app().allocator(), density)) {
        app().host().beep();
        return false;
    }
    m_workflow = std::move(loaded);
    m_canvas->setDensity(density);
    return true;
}

void WorkflowScreen::keepPhotoInStrip()
{
    if (!m_workflow.hasPhoto())
        return;
    if (const auto file = workflowPhotoFile(app(), &m_workflow.photo()))
        m_strip->add(*file);
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
    m_canvas->setPicture(gfx::toQImage(picture), place);
}

} // namespace gp::ui
