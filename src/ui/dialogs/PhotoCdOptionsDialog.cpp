#include "dialogs/PhotoCdOptionsDialog.h"

#include "dialogs/DialogText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace gp::ui {

namespace {

QComboBox* listOf(QWidget* owner, const QString& name, const std::vector<std::string>& entries, int current)
{
    auto* list = new QComboBox(owner);
    list->setObjectName(name);
    for (const std::string& entry : entries)
        list->addItem(toQString(entry));
    list->setCurrentIndex(current >= 0 && current < list->count() ? current : 0);
    return list;
}

} // namespace

PhotoCdOptionsDialog::PhotoCdOptionsDialog(QWidget* parent, const PhotoCdDialog& dialog)
    : QDialog(parent)
{
    setWindowTitle(toQString(dialog.title));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_dataType = listOf(this, QStringLiteral("dataType"), dialog.dataTypes, dialog.dataType);
    m_resolution = listOf(this, QStringLiteral("resolution"), dialog.resolutions, dialog.resolution);
    form->addRow(toQString(dialog.dataTypeLabel), m_dataType);
    form->addRow(toQString(dialog.resolutionLabel), m_resolution);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

PhotoCdChoice PhotoCdOptionsDialog::choice() const
{
    return { m_dataType->currentIndex(), m_resolution->currentIndex() };
}

} // namespace gp::ui
