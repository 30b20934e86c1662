#include "screens/FramePhotoScreen.h"

#include "editing/workflow/FrameFiles.h"
#include "screens/WorkflowCanvas.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"
#include "shell/ButtonIds.h"

#include <QListWidget>

namespace gp::ui {

FramePhotoScreen::FramePhotoScreen(ScreenContext context)
    : WorkflowScreen(std::move(context), Screen::Frame, button::FrameArea)
    , m_frames(new QListWidget(&frame()))
{
    canvas().setObjectName("frameCanvas");
    m_frames->setObjectName("frameList");
    m_frames->setGeometry(placeOf(button::FrameListArea));
    m_frames->hide();
    QObject::connect(m_frames, &QListWidget::currentRowChanged, m_frames, [this](int row) { chooseFrame(row); });
    canvas().pressed = [this](QPoint p) {
        m_dragging = workflow().frame.hasFrame()
            && workflow().frame.displayRect().contains({ p.x(), p.y() });
        m_last = p;
    };
    canvas().moved = [this](QPoint p, bool down) {
        if (!down || !m_dragging)
            return;
        workflow().frame.drag(p.x() - m_last.x(), p.y() - m_last.y());
        m_last = p;
        refresh();
    };
    canvas().released = [this](QPoint) { m_dragging = false; };
}

void FramePhotoScreen::setShown(bool shown)
{
    WorkflowScreen::setShown(shown);
    m_frames->setVisible(shown);
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
    onButton(button::NextFrame, [this] {
        if (m_frames->count() == 0) {
            app().host().beep();
            return;
        }
        m_frames->setCurrentRow((m_frames->currentRow() + 1) % m_frames->count());
    });
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
    const QSignalBlocker quiet(m_frames);
    m_frames->clear();
    if (!startWorkflow())
        return;
    m_pictures = framePictures(shippedFramesFolder(app().paths()));
    for (const auto& picture : m_pictures)
        m_frames->addItem(QString::fromStdString(picture.stem().string()));
    refresh();
}

void FramePhotoScreen::accept()
{
    openResult(result(), StringId::UntitledFramed);
    closeWorkflow();
}

void FramePhotoScreen::cancel() { closeWorkflow(); }

void FramePhotoScreen::chooseFrame(int row)
{
    if (row < 0 || std::size_t(row) >= m_pictures.size() || !workflow().hasPhoto())
        return;
    auto artwork = readFrameArtwork(app().imageFiles(), m_pictures[std::size_t(row)].string());
    const Size window { canvas().width(), canvas().height() };
    if (!artwork
        || !workflow().frame.choose(std::move(*artwork), app().layoutPage().currentCell(), workflow().photo(), window,
            app().allocator())) {
        workflow().frame = FrameState();
        app().host().beep();
    }
    refresh();
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
