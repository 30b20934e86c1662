#include "dialogs/PhotoPropertiesDialog.h"

#include "album/PhotoProperties.h"
#include "dialogs/DialogText.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace gp::ui {

PhotoPropertiesDialog::PhotoPropertiesDialog(QWidget* parent, PhotoRecord& record)
    : QDialog(parent)
    , m_record(&record)
    , m_name(new QLineEdit(this))
{
    setWindowTitle(tableText(StringId::PropertiesTitle));
    const PhotoPropertiesText t = photoPropertiesText(record);
    auto* layout = new QFormLayout(this);
    m_name->setText(toQString(t.name));
    layout->addRow(tableText(StringId::PropertiesFileName), m_name);
    layout->addRow(tableText(StringId::PropertiesLocation), new QLabel(toQString(t.location), this));
    layout->addRow(tableText(StringId::PropertiesType), new QLabel(toQString(t.type), this));
    layout->addRow(tableText(StringId::PropertiesSize), new QLabel(toQString(t.size), this));
    layout->addRow(tableText(StringId::PropertiesDate), new QLabel(toQString(t.modified), this));
    layout->addRow(tableText(StringId::PropertiesFormat), new QLabel(toQString(t.format), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

void PhotoPropertiesDialog::accept()
{
    switch (renamePhotoFile(*m_record, m_name->text().toStdString())) {
    case RenameOutcome::Exists:
        QMessageBox::warning(this, tableText(StringId::PropertiesTitle), tableText(StringId::FileAlreadyExists));
        return;
    case RenameOutcome::Failed:
        QApplication::beep();
        return;
    case RenameOutcome::Renamed:
        m_renamed = true;
        break;
    case RenameOutcome::Unchanged:
        break;
    }
    QDialog::accept();
}

} // namespace gp::ui
