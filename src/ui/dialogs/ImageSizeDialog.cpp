#include "dialogs/ImageSizeDialog.h"

#include "dialogs/DialogText.h"
#include "shell/Host.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace gp::ui {

ImageSizeDialog::ImageSizeDialog(QWidget* parent, ImageSizeModel& model, Host& host)
    : QDialog(parent)
    , m_model(&model)
    , m_host(&host)
{
    setWindowTitle(tableText(StringId::DialogImageSize));
    auto* layout = new QVBoxLayout(this);

    auto* original = new QGroupBox(tableText(StringId::DialogOriginalInfo), this);
    auto* originalForm = new QFormLayout(original);
    const std::pair<StringId, int> present[] = { { StringId::InfoWidth, model.presentWidth() },
        { StringId::InfoHeight, model.presentHeight() }, { StringId::InfoResolution, model.presentResolution() } };
    for (const auto& [label, value] : present)
        originalForm->addRow(tableText(label), new QLabel(QString::number(value), original));
    layout->addWidget(original);

    auto* sized = new QGroupBox(tableText(StringId::DialogNewSize), this);
    auto* grid = new QGridLayout(sized);
    m_width = addField(QStringLiteral("width"), model.width());
    m_height = addField(QStringLiteral("height"), model.height());
    m_resolution = addField(QStringLiteral("resolution"), model.resolution());
    m_widthScale = addField(QStringLiteral("widthScale"), model.widthScale());
    m_heightScale = addField(QStringLiteral("heightScale"), model.heightScale());
    grid->addWidget(new QLabel(tableText(StringId::InfoWidth), sized), 0, 0);
    grid->addWidget(m_width, 0, 1);
    grid->addWidget(new QLabel(tableText(StringId::DialogScale), sized), 0, 2);
    grid->addWidget(m_widthScale, 0, 3);
    grid->addWidget(new QLabel(tableText(StringId::InfoHeight), sized), 1, 0);
    grid->addWidget(m_height, 1, 1);
    grid->addWidget(new QLabel(tableText(StringId::DialogScale), sized), 1, 2);
    grid->addWidget(m_heightScale, 1, 3);
    grid->addWidget(new QLabel(tableText(StringId::InfoResolution), sized), 2, 0);
    grid->addWidget(m_resolution, 2, 1);
    layout->addWidget(sized);

    m_keepAspect = new QCheckBox(tableText(StringId::DialogKeepAspect), this);
    m_keepAspect->setObjectName("keepAspect");
    m_keepAspect->setChecked(model.keepAspect());
    layout->addWidget(m_keepAspect);
    m_dataSize = new QLabel(this);
    m_dataSize->setObjectName("dataSize");
    auto* dataForm = new QFormLayout;
    dataForm->addRow(tableText(StringId::DialogDataSize), m_dataSize);
    layout->addLayout(dataForm);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ImageSizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    watchField(m_width, [this](std::string_view typed) { return m_model->editWidth(typed); });
    watchField(m_height, [this](std::string_view typed) { return m_model->editHeight(typed); });
    watchField(m_widthScale, [this](std::string_view typed) { return m_model->editWidthScale(typed); });
    watchField(m_heightScale, [this](std::string_view typed) { return m_model->editHeightScale(typed); });
    watchField(m_resolution, [this](std::string_view typed) { return m_model->editResolution(typed); });
    connect(m_keepAspect, &QCheckBox::clicked, this, [this] { m_model->toggleKeepAspect(); });
    showValues(nullptr);
}

void ImageSizeDialog::watchField(QLineEdit* field, std::function<bool(std::string_view)> edit)
{
    connect(field, &QLineEdit::textEdited, this, [this, field, edit = std::move(edit)](const QString& typed) {
        const std::string text = typed.toStdString();
        if (!edit(text)) {
            m_host->beep();
            return;
        }
        showValues(field);
    });
}

QLineEdit* ImageSizeDialog::addField(const QString& name, int value)
{
    auto* field = new QLineEdit(QString::number(value), this);
    field->setObjectName(name);
    return field;
}

void ImageSizeDialog::showValues(const QLineEdit* typing)
{
    const std::pair<QLineEdit*, int> values[] = { { m_width, m_model->width() }, { m_height, m_model->height() },
        { m_widthScale, m_model->widthScale() }, { m_heightScale, m_model->heightScale() } };
    for (const auto& [field, value] : values)
        if (field != typing)
            field->setText(QString::number(value));
    m_dataSize->setText(toQString(formatText(StringId::DialogKb, static_cast<long long>(m_model->dataSizeKb()))));
}

void ImageSizeDialog::accept()
{
    if (!m_model->acceptable()) {
        m_host->beep();
        return;
    }
    QDialog::accept();
}

} // namespace gp::ui
