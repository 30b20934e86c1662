#pragma once
// The main frame's screens and the rules for moving between them. Screen 0, the layout page, is
// home: the other screens are entered from its buttons and left through their OK or Cancel,
// which return to it. While the layout page is in the empty-templates state (My Templates with
// no template) it refuses to switch away.

#include <functional>
#include <string>

namespace gp {

enum class Screen { Layout = 0, GetPhotos = 1, Crop = 2, Edit = 3, Frame = 4, Text = 5, TemplateEdit = 6 };
inline constexpr int kScreenCount = 7;

// The screen's background file ("LAYOUT.LOG"; in 640 mode its last character becomes "6");
// empty for the screens that paint their own panels.
std::string screenBackgroundFile(Screen screen, bool mode640);
// Each screen shows the button page of its own number.
inline int buttonPageOf(Screen screen)
{
    return int(screen);
}

class ScreenState {
public:
    struct Handlers {
        std::function<void()> enter; // called once the screen shows
        std::function<void()> ok; // Enter or the OK button
        std::function<void()> cancel; // Escape or the Cancel button
    };

    Screen current() const { return m_current; }
    void setHandlers(Screen screen, Handlers handlers) { m_handlers[int(screen)] = std::move(handlers); }
    // The frame's part of a switch: close the screen's windows, reset the highlight, switch
    // the button page and show the screen.
    std::function<void(Screen from, Screen to)> onSwitch;

    // Switches and calls the new screen's entry. Leaving the layout page is refused in the
    // empty-templates state; returns false then.
    bool switchTo(Screen screen, bool emptyTemplates = false);
    // Enter: the current screen's OK (nothing on the layout page).
    bool accept();
    // Escape: the current screen's Cancel and back to the layout page (nothing on the layout
    // page itself).
    bool cancel();

private:
    Screen m_current = Screen::Layout;
    Handlers m_handlers[kScreenCount];
};

} // namespace gp
