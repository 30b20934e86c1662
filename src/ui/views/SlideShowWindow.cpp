#include "views/SlideShowWindow.h"

#include "views/ScreenSaverInhibitor.h"

#include "album/AlbumPhotoReader.h"
#include "album/SlideFrame.h"
#include "album/SlideList.h"
#include "album/Transition.h"
#include "album/TransitionPacer.h"
#include "dialogs/DialogText.h"
#include "gfx/QtImage.h"
#include "app/App.h"
#include "shell/Host.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <chrono>
#include <cstring>

namespace gp::ui {

namespace {

constexpr int kCaptionPoints = 14;

// Paces a transition on the steady clock and shows each step on the window at once: only the
// part of the frame the step changed is copied to the shown picture and repainted, since
// copying and painting the whole frame at every step would outlast the steps' shares of the
// transition's time. Escape, which arrives while the step waits, stops it.
class WindowTransitionDriver : public SteadyTransitionDriver {
public:
    WindowTransitionDriver(QWidget& window, const Image& frame, ImageSlideCanvas& canvas, QImage& shown, const bool& abort)
        : m_window(&window)
        , m_frame(&frame)
        , m_canvas(&canvas)
        , m_shown(&shown)
        , m_abort(&abort)
    {
        *m_shown = gfx::toQImage(frame);
    }
    bool abortRequested() override { return *m_abort; }
    void showStep() override
    {
        const Rect changed = m_canvas->takeChanged();
        if (changed.isEmpty() || m_shown->isNull())
            return;
        const std::size_t bytes = 3 * std::size_t(changed.width());
        for (int y = changed.top; y < changed.bottom; ++y)
            std::memcpy(m_shown->scanLine(y) + 3 * changed.left, m_frame->row(y) + 3 * changed.left, bytes);
        m_window->repaint(QRect(changed.left, changed.top, changed.width(), changed.height()));
    }
    void waitBriefly() override
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        SteadyTransitionDriver::waitBriefly();
    }

private:
    QWidget* m_window;
    const Image* m_frame;
    ImageSlideCanvas* m_canvas;
    QImage* m_shown;
    const bool* m_abort;
};

} // namespace

SlideShowWindow* SlideShowWindow::start(App& app, const std::filesystem::path& albumFile, QWidget* mainWindow)
{
    auto slides = readSlideList(albumFile, app.paths().programDir);
    if (!slides || slides->empty()) {
        app.host().message(text(StringId::CaptionWarning), text(StringId::NoImagesInAlbum), Icon::Warning);
        return nullptr;
    }
    auto* window = new SlideShowWindow(app, std::move(*slides), mainWindow);
    if (mainWindow)
        mainWindow->hide();
    window->showMaximized();
    window->activateWindow();
    window->setFocus();
    return window;
}

SlideShowWindow::SlideShowWindow(App& app, std::vector<Slide> slides, QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_app(&app)
    , m_show(std::make_unique<SlideShow>(std::move(slides), app.albums().slideShow))
    , m_mainWindow(mainWindow)
    , m_random(std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count()
        / 100))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(tableText(StringId::ProductName));
    setCursor(Qt::BlankCursor);
    setFocusPolicy(Qt::StrongFocus);
    m_screenSaver = std::make_unique<ScreenSaverInhibitor>(QStringLiteral("Slide show"));
    m_timer.setInterval(m_show->timerInterval());
    connect(&m_timer, &QTimer::timeout, this, [this] { act(m_show->tick(false)); });
    m_timer.start();
}

SlideShowWindow::~SlideShowWindow() = default;

void SlideShowWindow::act(SlideShow::Action action)
{
    if (m_closing)
        return;
    if (action == SlideShow::Action::Close) {
        close();
        return;
    }
    if (action == SlideShow::Action::NextPhoto)
        present();
}

void SlideShowWindow::resizeEvent(QResizeEvent*)
{
    // The first photo comes when the window has its full size.
    if (!m_presented)
        QTimer::singleShot(0, this, [this] {
            if (!m_presented)
                present();
        });
}

void SlideShowWindow::present()
{
    if (m_presenting || m_closing || width() <= 0 || height() <= 0)
        return;
    m_presenting = true;
    m_presented = true;
    const Slide& slide = m_show->current();
    const Size window { width(), height() };
    auto frame = Image::create(window.width, window.height, 24);
    if (!frame) {
        m_presenting = false;
        return;
    }
    fillBlack(frame.value());
    m_caption = toQString(slide.caption);
    std::optional<Image> photo = readPhotoQuietly(m_app->imageFiles(), slide.path, PhotoCdReadMode::SlideShow);
    std::optional<Image> fitted;
    SlidePlacement placement;
    if (photo) {
        placement = placeSlide({ photo->width(), photo->height() }, window);
        fitted = fitSlidePicture(*photo, placement.fitted, m_app->gammaTables(), m_app->allocator());
    }
    if (!fitted) {
        m_caption = toQString(unreadableSlideCaption(slide.path));
        m_frame = gfx::toQImage(frame.value());
        m_lastEffect = 0;
        repaint();
    } else {
        m_lastEffect = m_show->chooseEffect(m_random);
        ImageSlideCanvas canvas(frame.value(), *fitted, placement.offset);
        WindowTransitionDriver driver(*this, frame.value(), canvas, m_frame, m_abort);
        const bool finished = runTransition(m_lastEffect, canvas, placement.fitted, driver, m_random);
        m_frame = gfx::toQImage(frame.value());
        if (!finished || m_abort) {
            m_presenting = false;
            close();
            return;
        }
        repaint();
    }
    m_presenting = false;
}

void SlideShowWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_frame.isNull())
        painter.fillRect(event->rect(), Qt::black);
    else
        painter.drawImage(event->rect(), m_frame, event->rect());
    if (m_caption.isEmpty())
        return;
    const CaptionPlacement place = placeCaption({ width(), height() });
    QFont font = painter.font();
    font.setPixelSize(kCaptionPoints * 4 / 3);
    painter.setFont(font);
    const auto draw = [&](const Rect& r, QColor color) {
        painter.setPen(color);
        painter.drawText(QRect(r.left, r.top, r.width(), r.height()), Qt::AlignHCenter | Qt::AlignTop, m_caption);
    };
    draw(place.shadowRect, Qt::black);
    draw(place.textRect, Qt::white);
}

void SlideShowWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_abort = true;
        if (!m_presenting)
            close();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!m_presenting)
            act(m_show->enter());
        return;
    }
    QWidget::keyPressEvent(event);
}

void SlideShowWindow::closeEvent(QCloseEvent* event)
{
    m_closing = true;
    m_abort = true;
    m_timer.stop();
    m_screenSaver.reset();
    if (m_mainWindow)
        m_mainWindow->show();
    emit closed();
    QWidget::closeEvent(event);
}

} // namespace gp::ui
