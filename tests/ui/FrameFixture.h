#pragma once
// What the window tests share: the real main frame over a fresh App whose settings and data live
// in a temporary folder (with the window program's own host, FrameFixture<ui::QtHost>, its
// dialogs and scanner windows belong to the frame), pictures of one colour, and mouse input sent
// as the window system sends it.

#include "FakeHost.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "app/App.h"
#include "frame/MainFrame.h"
#include "image/Image.h"
#include "skin/ListControl.h"
#include "views/PageView.h"

#include <QApplication>
#include <QColor>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <memory>

namespace gp::test {

// A 24-bit picture of one colour.
inline Image solid(int width, int height, QColor colour = QColor(0x40, 0x40, 0x40))
{
    Image image = Image::create(width, height, 24).value();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = image.row(y) + 3 * x;
            pixel[0] = std::uint8_t(colour.blue());
            pixel[1] = std::uint8_t(colour.green());
            pixel[2] = std::uint8_t(colour.red());
        }
    return image;
}

struct FrameOptions {
    // Start from the shipped GLMPRESS.INI, read as the program reads it at start-up.
    bool settings = true;
    // The build's library folder (effects, frames, scanner) instead of an empty one.
    bool builtLibraries = false;
    bool shown = false;
    int depth = 24;
    // XDG_CONFIG_HOME points at the temporary folder from before the App is made until after the
    // frame and the App are gone: the scanner library reads its settings from there.
    bool configHome = false;
};

template <class HostType = FakeHost> struct FrameFixture {
    TempDir dir;
    std::unique_ptr<ScopedEnv> configHome;
    HostType host;
    std::unique_ptr<App> app;
    std::unique_ptr<ui::MainFrame> frame;

    explicit FrameFixture(FrameOptions options = {})
        : configHome(options.configHome ? std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", dir.path().c_str()) : nullptr)
    {
        if (options.settings)
            std::filesystem::copy_file(GLIMMER_DEFAULT_INI, dir / "GLMPRESS.INI");
        Paths paths;
        paths.settingsDir = dir.path();
        paths.programDir = GLIMMER_BUILD_DATADIR;
        paths.dataDir = dir / "data";
        paths.libraryDir = options.builtLibraries ? std::filesystem::path(GLIMMER_BUILD_LIBDIR) : dir / "lib";
        std::filesystem::create_directories(paths.dataDir);
        app = std::make_unique<App>(host, paths);
        if (options.settings)
            app->readSettings();
        frame = std::make_unique<ui::MainFrame>(*app, false, options.depth);
        // The window program's host puts its dialogs over the frame.
        if constexpr (requires(HostType& h, QWidget* w) { h.setWindow(w); })
            host.setWindow(frame.get());
        if (options.shown)
            frame->show();
    }

    // A new photo into the layout page's current cell, as an opened file arrives.
    void addPhoto(QColor colour, int width = 120, int height = 80)
    {
        app->currentName() = "photo.bmp";
        QVERIFY(app->newDocument(solid(width, height, colour)));
    }

    ui::PageView& view() { return *frame->pageView(); }

    // Picks a row of the layout page's category list as a click does.
    void chooseCategory(int row)
    {
        ui::ListControl& list = *frame->categoryList();
        list.setSelectedIndex(row);
        emit list.selectionChanged(list.listId());
    }
};

inline QPoint centre(const Rect& r)
{
    return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
}

// A mouse event as the window system delivers it: a press or release of `button`, or a move with
// `button` held (Qt::NoButton for a move without a button).
inline void mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const bool move = type == QEvent::MouseMove;
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::MouseButtons(Qt::NoButton) : Qt::MouseButtons(button);
    QMouseEvent event(type, at, widget->mapToGlobal(at), move ? Qt::NoButton : button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

inline void click(QWidget* widget, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    mouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, modifiers);
    mouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, modifiers);
}

// A drag with the left button, its way cut into `steps` moves.
inline void drag(QWidget* widget, QPoint from, QPoint to, int steps = 1)
{
    mouse(widget, QEvent::MouseButtonPress, from);
    for (int step = 1; step <= steps; ++step)
        mouse(widget, QEvent::MouseMove, from + (to - from) * step / steps);
    mouse(widget, QEvent::MouseButtonRelease, to);
}

} // namespace gp::test
