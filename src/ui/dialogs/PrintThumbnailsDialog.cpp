#include "dialogs/PrintThumbnailsDialog.h"

#include "dialogs/DialogText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace gp::ui {

PrintThumbnailsDialog::PrintThumbnailsDialog(QWidget* parent, int photoCount, std::function<void()> printerSetup)
    : QDialog(parent)
    , m_all(new QRadioButton(tableText(StringId::PrintThumbnailsAll), this))
    , m_range(new QRadioButton(tableText(StringId::PrintThumbnailsRange), this))
    , m_from(new QSpinBox(this))
    , m_to(new QSpinBox(this))
    , m_names(new QCheckBox(tableText(StringId::PrintThumbnailsNames), this))
{
    setWindowTitle(tableText(StringId::PrintThumbnailsTitle));
    auto* layout = new QGridLayout(this);
    m_all->setChecked(true);
    for (QSpinBox* box : { m_from, m_to }) {
        box->setRange(1, std::max(1, photoCount));
        box->setEnabled(false);
        connect(m_range, &QRadioButton::toggled, box, &QWidget::setEnabled);
    }
    m_to->setValue(std::max(1, photoCount));
    // The range stays well-formed: From never passes To.
    connect(m_from, &QSpinBox::valueChanged, m_to, [this](int value) { m_to->setValue(std::max(value, m_to->value())); });
    connect(m_to, &QSpinBox::valueChanged, m_from, [this](int value) { m_from->setValue(std::min(value, m_from->value())); });
    layout->addWidget(m_all, 0, 0, 1, 4);
    layout->addWidget(m_range, 1, 0);
    layout->addWidget(m_from, 1, 1);
    layout->addWidget(new QLabel(tableText(StringId::PrintThumbnailsTo), this), 1, 2);
    layout->addWidget(m_to, 1, 3);
    layout->addWidget(m_names, 2, 0, 1, 4);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* setup = buttons->addButton(tableText(StringId::PrintThumbnailsSetup), QDialogButtonBox::ActionRole);
    connect(setup, &QPushButton::clicked, this, [printerSetup] { printerSetup(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, 3, 0, 1, 4);
}

ThumbnailPrintJob PrintThumbnailsDialog::job(const AlbumList& album) const
{
    ThumbnailPrintJob job;
    job.album = &album;
    if (m_range->isChecked()) {
        job.from = m_from->value();
        job.to = m_to->value();
    }
    job.fileNames = m_names->isChecked();
    return job;
}

} // namespace gp::ui
