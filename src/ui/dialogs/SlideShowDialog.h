#pragma once
// "Slide Show": the general albums, "Transition Effect", "Auto Loops", the seconds each photo
// stays and the note "Press Esc key to exit slide show". OK stores the settings (they last
// while the program runs) and names the album file to show.

#include "album/SlideShow.h"

#include <QDialog>
#include <filesystem>

class QCheckBox;
class QListWidget;
class QSpinBox;

namespace gp {
class App;
}

namespace gp::ui {

class SlideShowDialog : public QDialog {
public:
    SlideShowDialog(QWidget* parent, App& app);
    void accept() override;

    std::filesystem::path albumFile() const { return m_albumFile; }
    QListWidget* albums() const { return m_albums; }
    QCheckBox* transitions() const { return m_transitions; }
    QCheckBox* loop() const { return m_loop; }
    QSpinBox* seconds() const { return m_seconds; }

private:
    App* m_app;
    QListWidget* m_albums;
    QCheckBox* m_transitions;
    QCheckBox* m_loop;
    QSpinBox* m_seconds;
    std::filesystem::path m_albumFile;
};

} // namespace gp::ui
