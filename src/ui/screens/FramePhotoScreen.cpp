#include "screens/FramePhotoScreen.h"

#include "app/App.h"
#include "app/FrameAlbum.h"
#include "editing/workflow/FrameFiles.h"
#include "screens/WorkflowCanvas.h"
#include "shell/ButtonIds.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"
#include "views/AlbumStrip.h"

namespace gp::ui {

FramePhotoScreen::FramePhotoScreen(ScreenContext context)
    : WorkflowScreen(std::move(context), Screen::Frame, button::FrameArea)
{
    canvas().setObjectName("frameCanvas");
    canvas().pressed = [this](Point p) {
        m_dragging = workflow().frame.hasFrame() && workflow().frame.displayRect().contains(p);
        m_last = p;
    };
    // A drag moves the photo by display pixels: the finest step the screen can show.
    canvas().moved = [this](Point p, bool down) {
        if (!down || !m_dragging)
            return;
        workflow().frame.drag(p.x - m_last.x, p.y - m_last.y);
        m_last = p;
        refresh();
    };
    canvas().released = [this](Point) { m_dragging = false; };
}

void FramePhotoScreen::bindButtons()
{
    bindOkCancel(button::FrameOk, button::FrameCancel);
    const std::pair<int, PlacementCommand> placements[] = { { button::ZoomIn, PlacementCommand::ZoomIn },
        { button::ZoomOut, PlacementCommand::ZoomOut }, { button::TurnLeft, PlacementCommand::RotateLeft },
        { button::TurnRight, PlacementCommand::RotateRight }, { button::MoveLeft, PlacementCommand::MoveLeft },
        { button::MoveRight, PlacementCommand::MoveRight }, { button::MoveUp, PlacementCommand::MoveUp },
        { button::MoveDown, PlacementCommand::MoveDown } };
    for (const auto& [id, command] : placements)
        onButton(id, [this, command = command] { place(command); });
    onButton(button::NextFrame, [this] { nextFrame(); });
    onButton(button::FrameSaveAs, [this] { saveResult(result(), StringId::UntitledFramed); });
}

void FramePhotoScreen::registerCommands()
{
    onKey(command::KeySaveAs, [this] {
        saveResult(result(), StringId::UntitledFramed);
        return 1;
    });
}

void FramePhotoScreen::enter()
{
    m_dragging = false;
    if (startWorkflow())
        refresh();
}

void FramePhotoScreen::rescaled()
{
    // A drag in progress counted the old pixels; the next press starts anew.
    m_dragging = false;
    refresh();
}

void FramePhotoScreen::prepareStrip() { ensureFrameAlbum(app()); }

void FramePhotoScreen::accept()
{
    openResult(result(), StringId::UntitledFramed);
    closeWorkflow();
}

void FramePhotoScreen::cancel() { closeWorkflow(); }

void FramePhotoScreen::chooseFrame(const std::string& picture)
{
    if (!workflow().hasPhoto()) {
        app().host().beep();
        return;
    }
    auto artwork = readFrameArtwork(app().imageFiles(), picture);
    // The frame's display copy is made at the density of the photo's.
    if (!artwork
        || !workflow().frame.choose(std::move(*artwork), app().layoutPage().currentCell(), workflow().photo(),
            canvas().displaySize(), app().allocator(), workflow().unit())) {
        workflow().frame = FrameState();
        app().host().beep();
    }
    refresh();
}

// The strip's photo after the current one (the first after the last). Before a frame is chosen
// the strip's current photo itself, the one the strip shows selected, is taken first.
void FramePhotoScreen::nextFrame()
{
    const AlbumList& frames = strip().session().list();
    if (frames.isEmpty()) {
        app().host().beep();
        return;
    }
    const int current = frames.selection();
    if (current < 0 || current >= frames.count())
        strip().select(0);
    else if (!workflow().frame.hasFrame())
        strip().select(current);
    else
        strip().select((current + 1) % frames.count());
}

void FramePhotoScreen::place(PlacementCommand command)
{
    if (!workflow().frame.hasFrame() || !workflow().frame.command(command)) {
        app().host().beep();
        return;
    }
    refresh();
}

void FramePhotoScreen::refresh()
{
    if (!workflow().hasPhoto())
        return;
    if (const Image* framed = workflow().frame.preview(workflow().displayCopy(), app().allocator()))
        show(*framed, workflow().frame.displayRect());
    else
        show(workflow().displayCopy(), workflow().displayRect());
}

std::optional<Image> FramePhotoScreen::result() const
{
    if (!workflow().hasPhoto())
        return std::nullopt;
    return workflow().frame.result(workflow().photo(), app().allocator());
}

} // namespace gp::ui
