#pragma once
// The Rotate dialog over its engine model: a dial that shows the angle and the signed "Degree:"
// field, which starts at the last angle entered. Typing in the field turns the dial; turning the
// dial writes the field. OK hands the field to the model: a non-number beeps and the dialog stays
// open; otherwise the model keeps the angle (brought into 0..359) and the dialog closes.

#include "editing/transform/RotateDialogModel.h"

#include <QDialog>

class QDial;
class QLineEdit;

namespace gp {
class Host;
}

namespace gp::ui {

class RotateDialog : public QDialog {
public:
    RotateDialog(QWidget* parent, RotateDialogModel& model, Host& host);

    void accept() override;

private:
    RotateDialogModel* m_model;
    Host* m_host;
    QDial* m_dial;
    QLineEdit* m_degrees;
};

} // namespace gp::ui
