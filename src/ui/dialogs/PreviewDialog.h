#pragma once
// The frame shared by the adjustment, filter and effect dialogs: the Before and After windows
// with the Pan Mode box above the dialog's own controls, OK and Cancel below. A 100 ms timer
// drives the engine's preview session: the dialog reports every change of its values and the
// session recomputes the After picture once the values have rested for a moment.

#include "editing/PreviewSession.h"
#include "editing/EditDialogPort.h"

#include <QDialog>
#include <QTimer>

class QCheckBox;
class QVBoxLayout;

namespace gp::ui {

class PreviewPane;

class PreviewDialog : public QDialog {
public:
    PreviewDialog(QWidget* parent, const QString& title, const Image& source, const Allocator& allocator,
        EditDialogPort::PreviewCompute compute);
    ~PreviewDialog() override;

    PreviewPane* beforePane() const { return m_before; }
    PreviewPane* afterPane() const { return m_after; }
    const PreviewSession& session() const { return m_session; }

    void done(int result) override;

protected:
    // Where the dialog puts its own controls, between the previews and the buttons.
    QVBoxLayout* controls() const { return m_controls; }
    // A slider, channel or pan change: the After picture follows after the countdown.
    void changed() { m_session.changed(); }

private:
    void tick();
    void setPanMode(bool on);
    void showSession();

    PreviewSession m_session;
    EditDialogPort::PreviewCompute m_compute;
    QTimer m_timer;
    PreviewPane* m_before;
    PreviewPane* m_after;
    QCheckBox* m_panMode;
    QVBoxLayout* m_controls;
};

} // namespace gp::ui
