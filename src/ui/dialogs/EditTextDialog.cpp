#include "dialogs/EditTextDialog.h"

#include "dialogs/DialogText.h"
#include "dialogs/FontChoiceDialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gp::ui {

EditTextDialog::EditTextDialog(QWidget* parent, MatteText& text)
    : QDialog(parent)
    , m_text(&text)
    , m_font(text)
    , m_field(new QPlainTextEdit(QString::fromStdString(text.text), this))
    , m_fontButton(new QPushButton(tableText(StringId::FontButton), this))
{
    setWindowTitle(tableText(StringId::EditTextTitle));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(m_fontButton, QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_field);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &EditTextDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_fontButton, &QPushButton::clicked, this, [this] {
        FontChoiceDialog dialog(this, m_font);
        if (dialog.exec() == QDialog::Accepted)
            dialog.applyTo(m_font);
    });
}

void EditTextDialog::accept()
{
    // The text keeps at most as many characters as its block holds.
    m_text->text = m_field->toPlainText().toStdString().substr(0, MattePage::kMaxTextLength);
    m_text->font = m_font.font;
    m_text->sizeTenths = m_font.sizeTenths;
    m_text->color = m_font.color;
    QDialog::accept();
}

} // namespace gp::ui
