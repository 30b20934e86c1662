#pragma once
// The Edit Photo screen for the page's current photo: the effects library's effects in a list,
// each with a small picture of the photo under that effect; choosing one shows its preview on the
// display copy at the effect's starting strength, Stronger and Weaker step the strength (with a
// beep at the limits), Undo goes back one change. The strip beside it holds the photos edited
// before; a click there takes up that photo with the same effect and strength. OK opens the effect
// on the full photo as a new document, Save As writes it to a file.

#include "editing/workflow/EffectsLibrary.h"
#include "screens/WorkflowScreen.h"

#include <QTimer>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;

namespace gp::ui {

class EditPhotoScreen : public WorkflowScreen {
public:
    explicit EditPhotoScreen(ScreenContext context);

    void setShown(bool shown) override;

private:
    struct Choice {
        int effect = 0;
        int intensity = 0;
    };

    void bindButtons() override;
    void registerCommands() override;
    void enter() override;
    void accept() override;
    void cancel() override;
    void stripClicked(const std::string& path) override;
    const EffectsLibrary* effects() const override { return m_library ? &*m_library : nullptr; }
    void rescaled() override;

    void chooseEffect(int effect);
    void step(bool up);
    void undo();
    // Shows the preview (or the display copy) and the strength.
    void refresh();
    std::optional<Image> result();
    void leave();
    // The list's pictures are made one effect at a time from a small copy of the photo while
    // the window is idle, so the screen answers at once however slow an effect is.
    void startThumbnails();
    void nextThumbnail();

    QListWidget* m_effects;
    QLabel* m_strength;
    std::optional<EffectsLibrary> m_library;
    // The earlier choices, for Undo.
    std::vector<Choice> m_history;
    QTimer m_thumbnails;
    std::optional<Image> m_small;
    int m_thumbnailRow = 0;
};

} // namespace gp::ui
