#pragma once
// The F1 key anywhere in the program, also inside dialogs where the frame's own keys do not
// reach: while help on F1 is enabled, a press of F1 asks the frame for help on what is on screen.

#include <QObject>
#include <functional>

namespace gp::ui {

class HelpKeyHook : public QObject {
public:
    // Installs itself on the application; it is removed again when destroyed.
    explicit HelpKeyHook(std::function<void()> onHelp);
    ~HelpKeyHook() override;

    void setEnabled(bool on) { m_enabled = on; }
    bool enabled() const { return m_enabled; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_onHelp;
    bool m_enabled = true;
};

} // namespace gp::ui
