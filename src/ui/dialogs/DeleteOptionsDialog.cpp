#include "dialogs/DeleteOptionsDialog.h"

#include "dialogs/DialogText.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace gp::ui {

DeleteOptionsDialog::DeleteOptionsDialog(QWidget* parent)
    : QDialog(parent)
    , m_thumbnails(new QRadioButton(tableText(StringId::DeleteThumbnailsOnly), this))
    , m_files(new QRadioButton(tableText(StringId::DeleteThumbnailsAndFiles), this))
{
    setWindowTitle(tableText(StringId::DeleteOptionsTitle));
    auto* layout = new QVBoxLayout(this);
    m_thumbnails->setChecked(true);
    layout->addWidget(m_thumbnails);
    layout->addWidget(m_files);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

DeleteFiles DeleteOptionsDialog::choice() const
{
    return m_files->isChecked() ? DeleteFiles::Yes : DeleteFiles::No;
}

std::optional<DeleteFiles> DeleteOptionsDialog::ask(QWidget* parent)
{
    DeleteOptionsDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (dialog.choice() == DeleteFiles::Yes
        && QMessageBox::question(parent, tableText(StringId::ProductName), tableText(StringId::DeleteFilesQuestion))
            != QMessageBox::Yes)
        return std::nullopt;
    return dialog.choice();
}

} // namespace gp::ui
