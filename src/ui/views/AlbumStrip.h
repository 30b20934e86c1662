#pragma once
// The photo strip of the crop, edit and frame screens: the current album of the screen's family
// (modes 2, 3 and 4 of the album window: families "CRPALBUM", "EDALBUM", "FRMALBUM") in a
// one-column album grid of three cells with its scroll bar. A click on a photo selects it and
// reports its path to the screen, which loads it. The strip remembers its family's last current
// photo while the program runs and reopens with it in view. Shift and Ctrl clicks beep.
//
// Use: make it a child of the frame at the screen's place, call open() when the screen is
// shown and close() when it is left (a changed album is saved then), set the click handler,
// and add() the photo the screen works on when it should join the strip.

#include "app/AlbumSession.h"
#include "views/DocumentPainter.h"

#include <QWidget>
#include <functional>
#include <string>

class QScrollBar;

namespace gp {
class App;
}

namespace gp::ui {

class AlbumGrid;

class AlbumStrip : public QWidget {
public:
    // mode: 2 crop, 3 edit, 4 frame.
    AlbumStrip(QWidget* parent, App& app, int mode, DisplaySetup display);
    ~AlbumStrip() override;

    void open();
    void close();
    // Appends a photo file to the strip's album (nothing when it holds it already).
    bool add(const std::string& path);
    // Makes photo index the current one, alone selected and in view, and reports it to the click
    // handler as a click on it would. False when the strip shows no such photo.
    bool select(int index);
    void setClickHandler(std::function<void(const std::string& path)> handler);

    AlbumGrid* grid() const { return m_grid; }
    AlbumSession& session() { return m_session; }

private:
    App* m_app;
    int m_mode;
    AlbumSession m_session;
    AlbumGrid* m_grid;
    QScrollBar* m_scroll;
    std::function<void(const std::string&)> m_clicked;
};

} // namespace gp::ui
