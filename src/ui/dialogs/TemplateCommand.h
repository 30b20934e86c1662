#pragma once
// The Template command (108): opens the Template dialog over the active photo. It owns the
// single-photo page's settings, which outlive the dialog for the whole program run.

#include "dialogs/TemplateDialog.h"

#include <QObject>
#include <functional>

namespace gp::ui {

class TemplateCommand : public QObject {
    Q_OBJECT
public:
    // Registers the command with the app's dispatcher; the dialog belongs to owner, and a
    // double click on its photo runs openPhoto.
    TemplateCommand(QWidget* owner, App& app, std::function<void()> openPhoto);

    TemplateState& state() { return m_state; }
    // Shows the dialog; false (after a beep) without an active photo.
    bool run();
    // The dialog while it is shown, for the window tests.
    TemplateDialog* dialog() const { return m_dialog; }

private:
    QWidget* m_owner;
    App* m_app;
    std::function<void()> m_openPhoto;
    TemplateState m_state;
    TemplateDialog* m_dialog = nullptr;
};

} // namespace gp::ui
