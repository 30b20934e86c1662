#include "screens/FrameScreen.h"

#include "app/App.h"
#include "skin/SkinBitmap.h"

#include <QLabel>
#include <QWidget>

namespace gp::ui {

FrameScreen::FrameScreen(ScreenContext context, Screen screen, int area)
    : m_app(&context.app)
    , m_frame(&context.frame)
    , m_bar(&context.bar)
    , m_mode640(context.mode640)
    , m_runCommand(std::move(context.runCommand))
    , m_display(context.display)
    , m_screen(screen)
    , m_area(area)
{
}

FrameScreen::~FrameScreen() = default;

void FrameScreen::install()
{
    bindButtons();
    // A button that nobody handles must not look live: it is shown disabled.
    for (ButtonRecord& record : m_bar->pageRecords(buttonPageOf(m_screen)))
        if (!record.handler && record.kind != ButtonKind::Area)
            record.state = ButtonState::Disabled;
    registerCommands();
    m_app->screens().setHandlers(m_screen, { [this] { enter(); }, [this] { accept(); }, [this] { cancel(); } });
}

void FrameScreen::setShown(bool shown)
{
    // A screen without widgets of its own shows its background bitmap in its place.
    if (shown)
        reloadBackground();
    if (!m_backgroundPanel) {
        if (!shown)
            return;
        m_backgroundPanel = new QLabel(m_frame);
        m_backgroundPanel->setAlignment(Qt::AlignCenter);
        m_backgroundPanel->setGeometry(area());
    }
    m_backgroundPanel->setPixmap(QPixmap::fromImage(m_background));
    m_backgroundPanel->setVisible(shown);
}

void FrameScreen::photosChanged()
{
    reloadBackground();
    if (m_backgroundPanel && m_backgroundPanel->isVisible())
        m_backgroundPanel->setPixmap(QPixmap::fromImage(m_background));
}

void FrameScreen::reloadBackground()
{
    const std::string name = screenBackgroundFile(m_screen, m_mode640);
    m_background = name.empty() ? QImage() : loadSkinBitmap(m_app->paths().asset(name), m_frame->devicePixelRatioF());
}

std::optional<int> FrameScreen::key(int command)
{
    const auto found = m_keys.find(command);
    if (found == m_keys.end())
        return std::nullopt;
    return found->second();
}

void FrameScreen::onButton(int id, std::function<void()> action)
{
    onButtonEvent(id, [action = std::move(action)](const ButtonEvent& event) {
        if (event.phase == -1)
            action();
    });
}

void FrameScreen::onButtonEvent(int id, std::function<void(const ButtonEvent&)> handler)
{
    for (ButtonRecord& record : m_bar->pageRecords(buttonPageOf(m_screen)))
        if (record.id == id)
            record.handler = handler;
}

void FrameScreen::bindOkCancel(int ok, int cancel)
{
    onButton(ok, [this] { m_app->screens().accept(); });
    onButton(cancel, [this] { m_app->screens().cancel(); });
}

void FrameScreen::onCommand(int id, std::function<int()> action)
{
    m_app->commands().set(id, [action = std::move(action)](std::string_view) { return action(); });
}

void FrameScreen::onKey(int command, std::function<int()> action)
{
    m_keys[command] = std::move(action);
}

QRect FrameScreen::area() const { return placeOf(m_area); }

QRect FrameScreen::placeOf(int id) const
{
    for (const ButtonSpec& entry : framePage(buttonPageOf(m_screen)))
        if (entry.id == id) {
            const Rect r = scaled(entry.rect, m_mode640);
            return QRect(r.left, r.top, r.width(), r.height()).adjusted(2, 2, -2, -2);
        }
    return {};
}

QString FrameScreen::assetPath(const std::string& name) const
{
    return QString::fromStdString(m_app->paths().asset(name).string());
}

} // namespace gp::ui
