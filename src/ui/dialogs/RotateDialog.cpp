#include "dialogs/RotateDialog.h"

#include "dialogs/DialogText.h"
#include "shell/Host.h"

#include <QDial>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace gp::ui {

RotateDialog::RotateDialog(QWidget* parent, RotateDialogModel& model, Host& host)
    : QDialog(parent)
    , m_model(&model)
    , m_host(&host)
{
    setWindowTitle(tableText(StringId::DialogRotate));
    auto* layout = new QVBoxLayout(this);
    m_dial = new QDial(this);
    m_dial->setObjectName("dial");
    m_dial->setRange(0, 359);
    m_dial->setWrapping(true);
    m_dial->setNotchesVisible(true);
    m_dial->setNotchTarget(15);
    // The typed angle turns counter-clockwise.
    m_dial->setInvertedAppearance(true);
    m_dial->setValue(RotateDialogModel::normalise(model.initialAngle()));
    m_dial->setMinimumSize(120, 120);
    layout->addWidget(m_dial, 0, Qt::AlignHCenter);
    auto* form = new QFormLayout;
    m_degrees = new QLineEdit(QString::number(model.initialAngle()), this);
    m_degrees->setObjectName("degrees");
    form->addRow(tableText(StringId::DialogDegree), m_degrees);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &RotateDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_degrees, &QLineEdit::textChanged, this, [this](const QString& typed) {
        if (const auto degrees = parseDialogInteger(typed.toStdString())) {
            const QSignalBlocker quiet(m_dial);
            m_dial->setValue(RotateDialogModel::normalise(*degrees));
        }
    });
    connect(m_dial, &QDial::sliderMoved, this, [this](int value) { m_degrees->setText(QString::number(value)); });
    m_degrees->selectAll();
}

void RotateDialog::accept()
{
    if (!m_model->accept(m_degrees->text().toStdString())) {
        m_host->beep();
        return;
    }
    QDialog::accept();
}

} // namespace gp::ui
