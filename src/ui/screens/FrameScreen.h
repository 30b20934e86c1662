#pragma once
// One screen of the main frame. The frame keeps the window, its title, the button bar with one
// page per screen, the status line and the switching between screens; everything a screen shows
// and does belongs to its FrameScreen subclass.
//
// How a screen adds its parts:
// - Widgets: create them in the constructor as children of frame() (place them inside area(),
//   the screen's place on its button page), and show or hide them in setShown(). A screen that
//   has no widgets of its own shows its background bitmap there (the default setShown()).
// - Buttons: override bindButtons() and call onButton(id, action) for each button of the
//   screen's page (ids by name from shell/ButtonIds.h); onButtonEvent() when the handler needs
//   the slider position or the phase. A button that gets no handler is disabled by install(),
//   so a button that would do nothing can never look live.
// - Menu items: register the commands the screen performs with onCommand(id, action); the
//   frame's command menu disables every item whose command nobody registered.
// - Keys: the frame turns each accelerator into its command and hands the key commands
//   (command::KeyCut, KeyPaste, KeyCopy, KeyRotate, KeyPrint, KeySaveAs, KeyDelete) to the
//   current screen; bind them with onKey(id, action). A key the screen does not bind does
//   nothing on it.
// - Enter, OK and Cancel: override enter(), accept() and cancel(). install() hands them to the
//   engine's ScreenState, which calls them on a switch, on Enter/Escape and on the page's OK
//   and Cancel buttons (bound here), and goes back to the layout page after accept or cancel.
// - Once a second while the screen is current the frame calls tick().

#include "shell/ScreenState.h"
#include "skin/ButtonBar.h"
#include "views/DocumentPainter.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QWidget;

namespace gp {
class App;
}

namespace gp::ui {

// What a screen gets from the frame.
struct ScreenContext {
    App& app;
    // The frame window: the parent of the screen's widgets.
    QWidget& frame;
    // The frame's bar; the screen's buttons are those of page buttonPageOf(screen).
    ButtonBar& bar;
    bool mode640;
    // Runs a command as the frame does for buttons, keys and menus.
    std::function<int(int command, const QString& argument)> runCommand;
    // How pictures reach the screen: its depth, the gamma tables and, on palette screens, the
    // dither table (the frame's, alive while the frame is).
    DisplaySetup display;
};

class FrameScreen {
public:
    // area: the id of the inactive record of the screen's page that marks the screen's place.
    FrameScreen(ScreenContext context, Screen screen, int area);
    virtual ~FrameScreen();
    FrameScreen(const FrameScreen&) = delete;
    FrameScreen& operator=(const FrameScreen&) = delete;

    Screen screen() const { return m_screen; }
    // Binds the buttons (and disables those left without a handler), registers the commands
    // and hands enter, OK and Cancel to the ScreenState. The frame calls it once.
    void install();

    // Shows or hides the screen's widgets; the frame calls it on every switch.
    virtual void setShown(bool shown);
    // One tick of the frame's one-second timer while this screen is current.
    virtual void tick() { }
    // A photo was opened: the screen's background is read again, the photo shown again.
    virtual void photosChanged();

    // A key command on this screen: its result, or nothing when the screen does not bind it.
    std::optional<int> key(int command);
    bool bindsKey(int command) const { return m_keys.count(command) != 0; }

protected:
    virtual void bindButtons() { }
    virtual void registerCommands() { }
    virtual void enter() { }
    virtual void accept() { }
    virtual void cancel() { }

    void onButton(int id, std::function<void()> action);
    void onButtonEvent(int id, std::function<void(const ButtonEvent&)> handler);
    // The page's OK and Cancel: the screen's accept or cancel, then back to the layout page.
    void bindOkCancel(int ok, int cancel);
    void onCommand(int id, std::function<int()> action);
    void onKey(int command, std::function<int()> action);

    App& app() const { return *m_app; }
    QWidget& frame() const { return *m_frame; }
    ButtonBar& bar() const { return *m_bar; }
    bool mode640() const { return m_mode640; }
    const DisplaySetup& display() const { return m_display; }
    int runCommand(int command, const QString& argument = {}) const { return m_runCommand(command, argument); }
    // The screen's place on the frame, in frame pixels.
    QRect area() const;
    // The place of another record of the screen's page (an area for a list, say), likewise.
    QRect placeOf(int id) const;
    // A file of the program directory, by its name there.
    QString assetPath(const std::string& name) const;
    std::string skinExtension() const { return m_mode640 ? ".640" : ".800"; }
    // The screen's background bitmap as last read (null for screens without one).
    const QImage& background() const { return m_background; }
    void reloadBackground();

private:
    App* m_app;
    QWidget* m_frame;
    ButtonBar* m_bar;
    bool m_mode640;
    std::function<int(int, const QString&)> m_runCommand;
    DisplaySetup m_display;
    Screen m_screen;
    int m_area;
    QImage m_background;
    QLabel* m_backgroundPanel = nullptr;
    std::map<int, std::function<int()>> m_keys;
};

} // namespace gp::ui
