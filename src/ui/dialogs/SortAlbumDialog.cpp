#include "dialogs/SortAlbumDialog.h"

#include "dialogs/DialogText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace gp::ui {

SortAlbumDialog::SortAlbumDialog(QWidget* parent, AlbumSortOrder& order)
    : QDialog(parent)
    , m_order(&order)
    , m_keys(new QButtonGroup(this))
    , m_reverse(new QCheckBox(tableText(StringId::SortReverse), this))
{
    setWindowTitle(tableText(StringId::SortAlbumTitle));
    auto* layout = new QVBoxLayout(this);
    const StringId names[] = { StringId::SortByFileName, StringId::SortByFileType, StringId::SortByFileSize,
        StringId::SortByFileDate, StringId::SortByDescription };
    for (int i = 0; i < 5; ++i) {
        auto* button = new QRadioButton(tableText(names[i]), this);
        m_keys->addButton(button, i);
        layout->addWidget(button);
    }
    m_keys->button(int(order.key))->setChecked(true);
    m_reverse->setChecked(order.reverse);
    layout->addWidget(m_reverse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void SortAlbumDialog::accept()
{
    m_order->key = AlbumSortKey(m_keys->checkedId());
    m_order->reverse = m_reverse->isChecked();
    QDialog::accept();
}

} // namespace gp::ui
