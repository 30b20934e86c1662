#include "dialogs/AlbumChoiceDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace gp::ui {

AlbumChoiceDialog::AlbumChoiceDialog(QWidget* parent, const QString& title, const QString& prompt,
    const QStringList& albums, int selected, const QString& newEntry)
    : QDialog(parent)
    , m_list(new QListWidget(this))
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(prompt, this));
    m_list->addItems(albums);
    if (!newEntry.isEmpty())
        m_list->addItem(newEntry);
    m_list->setCurrentRow(std::clamp(selected, 0, std::max(0, m_list->count() - 1)));
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(m_list->count() > 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

int AlbumChoiceDialog::choice() const
{
    return m_list->currentRow();
}

} // namespace gp::ui
