#include "dialogs/FontChoiceDialog.h"

#include "dialogs/DialogText.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace gp::ui {

FontChoiceDialog::FontChoiceDialog(QWidget* parent, const MatteText& text)
    : QDialog(parent)
    , m_face(new QFontComboBox(this))
    , m_style(new QComboBox(this))
    , m_size(new QDoubleSpinBox(this))
    , m_colorButton(new QPushButton(tableText(StringId::FontColorButton), this))
{
    setWindowTitle(tableText(StringId::SelectFontTitle));
    m_face->setCurrentFont(QFont(QString::fromStdString(text.font.face)));
    for (StringId style : { StringId::TextStyleRegular, StringId::TextStyleItalic, StringId::TextStyleBold,
             StringId::TextStyleItalicBold })
        m_style->addItem(tableText(style));
    m_style->setCurrentIndex((text.font.weight >= 700 ? 2 : 0) + (text.font.italic ? 1 : 0));
    // Sizes in tenths of a point; below 0.4 point a text would not show.
    m_size->setDecimals(1);
    m_size->setRange(0.4, 999.9);
    m_size->setSingleStep(1.0);
    m_size->setValue(std::max(text.sizeTenths, 4) / 10.0);
    setColor(text.color);

    auto* form = new QFormLayout;
    form->addRow(tableText(StringId::FontFaceLabel), m_face);
    form->addRow(tableText(StringId::FontStyleLabel), m_style);
    form->addRow(tableText(StringId::FontSizeLabel), m_size);
    form->addRow(m_colorButton);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_colorButton, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(QColor(m_color.red, m_color.green, m_color.blue), this);
        if (chosen.isValid())
            setColor({ std::uint8_t(chosen.red()), std::uint8_t(chosen.green()), std::uint8_t(chosen.blue()) });
    });
}

void FontChoiceDialog::setColor(Color color)
{
    m_color = color;
    // The button shows the colour it chose as a swatch.
    QPixmap swatch(16, 16);
    swatch.fill(QColor(color.red, color.green, color.blue));
    m_colorButton->setIcon(QIcon(swatch));
}

void FontChoiceDialog::applyTo(MatteText& text) const
{
    text.font.face = m_face->currentFont().family().toStdString();
    const int style = std::max(m_style->currentIndex(), 0);
    text.font.weight = style >= 2 ? 700 : 400;
    text.font.italic = style == 1 || style == 3;
    text.sizeTenths = std::max(4, int(m_size->value() * 10 + 0.5));
    text.color = m_color;
}

} // namespace gp::ui
