#include "dialogs/ImageInfoDialog.h"

#include "dialogs/HistogramDialog.h"
#include "image/Document.h"
#include "image/ImageType.h"
#include "shell/StringTable.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace gp::ui {

namespace {

QString qtext(StringId id)
{
    return QString::fromUtf8(text(id).data(), qsizetype(text(id).size()));
}
QString qtext(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

ImageInfoDialog::ImageInfoDialog(QWidget* parent, const Document& document, int screenDpi, std::string decimalSeparator)
    : QDialog(parent)
    , m_document(&document)
    , m_dpi(imageDpi(document.image().xPelsPerMeter(), screenDpi))
    , m_separator(std::move(decimalSeparator))
{
    setWindowTitle(qtext(StringId::ImageInfoCaption));
    auto* form = new QFormLayout;
    m_width = new QLabel(this);
    m_height = new QLabel(this);
    m_resolution = new QLabel(qtext(dpiText(m_dpi)), this);
    const ImageType type = imageTypeOf(&document.image());
    form->addRow(qtext(StringId::InfoTitle), new QLabel(QString::fromStdString(document.title()), this));
    form->addRow(qtext(StringId::InfoWidth), m_width);
    form->addRow(qtext(StringId::InfoHeight), m_height);
    form->addRow(qtext(StringId::InfoResolution), m_resolution);
    form->addRow(qtext(StringId::InfoSize), new QLabel(qtext(blockSizeText(document.image())), this));
    form->addRow(qtext(StringId::InfoType), new QLabel(qtext(typeNameText(type)), this));

    auto* units = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    const std::pair<LengthUnit, StringId> choices[] = { { LengthUnit::Pixel, StringId::InfoUnitPixel },
        { LengthUnit::Inch, StringId::InfoUnitInch }, { LengthUnit::Centimetre, StringId::InfoUnitCm } };
    for (const auto& [unit, label] : choices) {
        auto* radio = new QRadioButton(qtext(label), this);
        radio->setChecked(unit == s_unit);
        group->addButton(radio, int(unit));
        units->addWidget(radio);
    }
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        s_unit = LengthUnit(id);
        showSizes();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* histogram = buttons->addButton(qtext(StringId::HistogramButton), QDialogButtonBox::ActionRole);
    histogram->setEnabled(type != ImageType::None && type != ImageType::BlackWhite);
    connect(histogram, &QPushButton::clicked, this, [this] {
        HistogramDialog dialog(this, m_document->image());
        dialog.exec();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(units);
    layout->addWidget(buttons);
    showSizes();
}

void ImageInfoDialog::showSizes()
{
    const Image& image = m_document->image();
    m_width->setText(qtext(lengthText(image.width(), m_dpi, s_unit, m_separator)));
    m_height->setText(qtext(lengthText(image.height(), m_dpi, s_unit, m_separator)));
}

QString ImageInfoDialog::widthText() const
{
    return m_width->text();
}
QString ImageInfoDialog::resolutionText() const
{
    return m_resolution->text();
}

} // namespace gp::ui
