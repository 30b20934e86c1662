#pragma once
// "Template": the single-photo page composer over the active photo. The preview shows the page
// with its background, photo and texts; beside it the kind list (Matte, Calendar), the photo
// size bar, the orientation, the frame switch, the copies, the output resolution and the photo's
// printed size, and Print. Every change is kept in the state, which lives for the program run.

#include "layout/MattePage.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;

namespace gp {
class App;
}

namespace gp::ui {

class TemplatePreview;

// What the dialog keeps between its uses.
struct TemplateState {
    MattePage page;
    Size placedIn; // the preview size the item rectangles are laid out for
};

class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    // openPhoto runs the Open command (a double click on the photo).
    TemplateDialog(QWidget* parent, App& app, TemplateState& state, std::function<void()> openPhoto);

    TemplatePreview* preview() const { return m_preview; }
    QComboBox* kindBox() const { return m_kind; }
    QScrollBar* sizeBar() const { return m_size; }
    QRadioButton* portraitButton() const { return m_portrait; }
    QRadioButton* landscapeButton() const { return m_landscape; }
    QCheckBox* frameBox() const { return m_frame; }
    QSpinBox* copiesBox() const { return m_copies; }
    QLabel* outputLabel() const { return m_output; }
    QLabel* sizeLabel() const { return m_sizeText; }
    QPushButton* printButton() const { return m_print; }

    // The Print button: the page through the chosen printer with the copies asked for; false
    // when nothing was printed.
    bool print();

private:
    // Measures the printer's page for the orientation and fits the preview into its frame; with
    // replace (or on a new page size) the items start from their first places.
    void layoutPreview(bool replace);
    void fitPhoto();
    void loadBackground();
    void showReadouts();
    void editItem(int item);

    App* m_app;
    TemplateState* m_state;
    std::function<void()> m_openPhoto;
    std::optional<Image> m_background;
    QWidget* m_frameArea;
    TemplatePreview* m_preview;
    QComboBox* m_kind;
    QScrollBar* m_size;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
    QCheckBox* m_frame;
    QSpinBox* m_copies;
    QLabel* m_output;
    QLabel* m_sizeText;
    QPushButton* m_print;
};

} // namespace gp::ui
