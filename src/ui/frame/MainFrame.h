#pragma once
// The main frame: one fixed window of 800 × 600 (640 × 480 on small screens) that works as a
// sequence of full-window screens drawn from the skin. It keeps the title, the button bar with
// one page per screen, the status panes and the tools bar, and switches between the screens
// (one FrameScreen each, which own their widgets, buttons and keys). It turns the buttons common
// to every page, the accelerators, the command menu and the one-second timer into engine
// commands, and runs the shut-down in its fixed order.

#include "shell/Host.h"
#include "shell/ScreenState.h"
#include "views/DocumentPainter.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

namespace gp {
class App;
}

namespace gp::ui {

class ButtonBar;
class FrameScreen;
class HelpKeyHook;
class ScannerEventFilter;
class FullScreenView;
class LayoutListView;
class LayoutScreen;
class ListControl;
class PageView;
class SuperStatic;

// The 640 mode: a screen at least 640 wide but under 800, or at least 480 tall but under 600.
bool use640Mode(QSize screen);

class MainFrame : public QWidget {
    Q_OBJECT
public:
    // Whether the frame's once-a-second timer (button states, the flashing button) runs.
    bool timerRunning() const { return m_timer.isActive(); }
    MainFrame(App& app, bool mode640, int screenDepth);
    ~MainFrame() override;

    // The settings-file check: false (after the warning) when GLMPRESS.INI is missing.
    bool checkSettingsFile();

    // The arguments of this start or of a later one: each photo name becomes Open (118).
    // Options begin with "-"; a "/" begins a path here, not an option.
    void openArguments(const QStringList& arguments);
    // Runs a command as the frame does for buttons, keys and menus.
    int runCommand(int id, const QString& argument = {});

    bool mode640() const { return m_mode640; }
    ButtonBar* buttonBar() const { return m_bar; }
    // The screen shown by each value of Screen.
    FrameScreen& screen(Screen which) const { return *m_screens[std::size_t(which)]; }
    LayoutScreen& layoutScreen() const { return *m_layout; }
    ButtonBar* templateBar() const;
    PageView* pageView() const;
    LayoutListView* layoutListView() const;
    ListControl* categoryList() const;
    FullScreenView* fullScreenView() const;
    SuperStatic* statusPane(StatusPane pane) const;
    bool statusBarShown() const { return m_statusShown; }
    bool toolsBarShown() const { return m_toolsShown; }
    // The string id of the chosen category (the label families count as "Avery Labels").
    int category() const;
    // The layout screen's Print: the page through the chosen printer; false when nothing printed.
    bool printPage();
    // One tick of timer 200 (the timer calls it every second): the current screen's tick.
    void timerTick();
    // The command menu as the right button shows it on the current screen.
    QMenu* buildMenu();
    // Shows a status text in its pane.
    void showStatus(StatusPane pane, std::string_view text);
    // The help pane names what the button under the mouse does (id −1: none).
    void showButtonHint(int id);

    // The window that covers a larger screen in black; hidden and closed with the frame.
    void setBackdrop(QWidget* backdrop) { m_backdrop = backdrop; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The slide show hides the frame while it runs: the frame's timer stops then and starts
    // again when the frame is shown (a minimised frame keeps it).
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildBars();
    void buildScreens();
    void bindCommonButtons();
    void registerCommands();
    void switchScreen(Screen from, Screen to);
    void layoutPanes();
    void showCommandMenu(QPoint globalPos);
    void toggleFullScreen();
    void showImageInformation();
    void showHelp(int page);
    void shutDown();
    QString assetPath(const std::string& name) const;
    std::string ext() const { return m_mode640 ? ".640" : ".800"; }
    FrameScreen& current() const;

    App* m_app;
    bool m_mode640;
    DisplaySetup m_display;
    std::optional<DitherTable> m_dither;
    QTimer m_timer;
    ButtonBar* m_bar = nullptr;
    std::vector<std::unique_ptr<FrameScreen>> m_screens;
    LayoutScreen* m_layout = nullptr;
    QWidget* m_toolsBar = nullptr;
    QWidget* m_statusBar = nullptr;
    SuperStatic* m_panes[4] = {};
    QPointer<FullScreenView> m_fullScreen;
    QPointer<QWidget> m_backdrop;
    std::unique_ptr<ScannerEventFilter> m_scannerFilter;
    std::unique_ptr<HelpKeyHook> m_helpKey;
    bool m_statusShown = true;
    bool m_toolsShown = false;
    bool m_settingsMissing = false;
    bool m_shutDown = false;
};

} // namespace gp::ui
