#include "dialogs/TemplateBackgroundDialog.h"

#include "dialogs/DialogText.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace gp::ui {

TemplateBackgroundDialog::TemplateBackgroundDialog(
    QWidget* parent, MattePage& page, const std::vector<std::string>& names)
    : QDialog(parent)
    , m_page(&page)
    , m_color(page.backgroundColor)
    , m_kind(new QComboBox(this))
    , m_change(new QPushButton(tableText(StringId::ChangeColorButton), this))
{
    setWindowTitle(tableText(StringId::TemplateBackgroundTitle));
    for (const std::string& name : names)
        m_kind->addItem(QString::fromStdString(name));
    m_kind->setCurrentIndex(std::clamp(page.backgroundKind, 0, std::max(m_kind->count() - 1, 0)));
    m_change->setEnabled(m_kind->currentIndex() == 1);

    auto* form = new QFormLayout;
    form->addRow(tableText(StringId::BackgroundLabel), m_kind);
    form->addRow(m_change);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TemplateBackgroundDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) { m_change->setEnabled(index == 1); });
    // The colour dialog keeps its custom colours for the whole run.
    connect(m_change, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(QColor(m_color.red, m_color.green, m_color.blue), this);
        if (chosen.isValid())
            m_color = { std::uint8_t(chosen.red()), std::uint8_t(chosen.green()), std::uint8_t(chosen.blue()) };
    });
}

void TemplateBackgroundDialog::accept()
{
    m_page->backgroundKind = std::max(m_kind->currentIndex(), 0);
    m_page->backgroundColor = m_color;
    QDialog::accept();
}

} // namespace gp::ui
