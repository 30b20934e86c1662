#pragma once
// The full-screen slide show: a black window without parent, shown maximised, that hides the
// main window and the mouse cursor while it exists. Every photo of the album is read (Photo CD
// at 512 x 768), fitted without enlarging, brought in by a random transition (or a plain copy
// when transitions are off) and captioned with its description with a shadow. The timer fires
// every seconds x 80 ms; the tenth tick brings the next photo, after the last the first again
// when the show loops, else the window closes. Enter brings the next photo at once; Escape
// closes the show, also in the middle of a transition. While the show runs the frame's timer
// rests (the frame is hidden) and the desktop's screen saver is held off.

#include "base/ClassicRandom.h"
#include "album/SlideShow.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <memory>

namespace gp {
class App;
}

namespace gp::ui {

class ScreenSaverInhibitor;

class SlideShowWindow : public QWidget {
    Q_OBJECT
public:
    // Reads the album's list; nothing (and "There are no images in the album.") when it cannot
    // be opened, is not an album or holds no photo. mainWindow is hidden while the show runs.
    static SlideShowWindow* start(App& app, const std::filesystem::path& albumFile, QWidget* mainWindow);

    const SlideShow& show() const { return *m_show; }
    QString caption() const { return m_caption; }
    // The effect of the last photo shown (0 for a plain copy).
    int lastEffect() const { return m_lastEffect; }
    const QImage& frameImage() const { return m_frame; }

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    ~SlideShowWindow() override;

private:
    SlideShowWindow(App& app, std::vector<Slide> slides, QWidget* mainWindow);
    void act(SlideShow::Action action);
    // Reads the current photo and runs its transition onto the frame.
    void present();

    App* m_app;
    std::unique_ptr<SlideShow> m_show;
    QPointer<QWidget> m_mainWindow;
    QTimer m_timer;
    ClassicRandom m_random;
    QImage m_frame;
    QString m_caption;
    int m_lastEffect = 0;
    bool m_presenting = false;
    bool m_abort = false;
    bool m_closing = false;
    bool m_presented = false;
    // Holds the screen saver off while the show runs.
    std::unique_ptr<ScreenSaverInhibitor> m_screenSaver;
};

} // namespace gp::ui
