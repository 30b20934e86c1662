#pragma once
// The Edit Photo screen for the page's current photo: the effects library's effects in a list;
// choosing one shows its preview on the display copy at the effect's starting strength, Stronger
// and Weaker step the strength (with a beep at the limits), Undo goes back one change. OK opens
// the effect on the full photo as a new document, Save As writes it to a file.

#include "editing/workflow/EffectsLibrary.h"
#include "screens/WorkflowScreen.h"

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

    void chooseEffect(int effect);
    void step(bool up);
    void undo();
    // Shows the preview (or the display copy) and the strength.
    void refresh();
    std::optional<Image> result();
    void leave();

    QListWidget* m_effects;
    QLabel* m_strength;
    std::optional<EffectsLibrary> m_library;
    // The earlier choices, for Undo.
    std::vector<Choice> m_history;
};

} // namespace gp::ui
