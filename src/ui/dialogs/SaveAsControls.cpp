#include "dialogs/SaveAsControls.h"

#include "shell/StringTable.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>

namespace gp::ui {

namespace {

QString qualityText(int value)
{
    return QString::fromUtf8(text(StringId::QualityLabel).data(), int(text(StringId::QualityLabel).size()))
        .replace("%d", QString::number(value));
}

} // namespace

SaveAsControls::SaveAsControls(QFileDialog& dialog, bool compress, int quality)
    : QWidget(&dialog)
    , m_compress(new QCheckBox(QString::fromUtf8(text(StringId::CompressLabel).data(), int(text(StringId::CompressLabel).size())), this))
    , m_qualityLabel(new QLabel(this))
    , m_quality(new QScrollBar(Qt::Horizontal, this))
{
    setObjectName("saveAsControls");
    m_compress->setObjectName("compress");
    m_quality->setObjectName("quality");
    m_compress->setChecked(compress);
    m_quality->setRange(1, 100);
    m_quality->setSingleStep(1);
    m_quality->setPageStep(10);
    m_quality->setValue(std::clamp(quality, 1, 100));
    m_qualityLabel->setText(qualityText(m_quality->value()));
    m_qualityLabel->setBuddy(m_quality);
    m_quality->setMinimumWidth(160);
    connect(m_quality, &QScrollBar::valueChanged, this, [this](int value) { m_qualityLabel->setText(qualityText(value)); });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_compress);
    row->addWidget(m_qualityLabel);
    row->addWidget(m_quality, 1);
    row->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(this, grid->rowCount(), 0, 1, grid->columnCount());
    connect(&dialog, &QFileDialog::filterSelected, this, [this](const QString& filter) { followFilter(filter); });
    followFilter(dialog.selectedNameFilter());
}

void SaveAsControls::followFilter(const QString& filter)
{
    const QString upper = filter.toUpper();
    m_compress->setVisible(upper.contains("*.TIF") || upper.contains("*.TGA"));
    const bool quality = upper.contains("*.JPG") || upper.contains("*.FPX");
    m_qualityLabel->setVisible(quality);
    m_quality->setVisible(quality);
}

bool SaveAsControls::compress() const { return m_compress->isChecked(); }
int SaveAsControls::quality() const { return m_quality->value(); }
bool SaveAsControls::showsCompress() const { return !m_compress->isHidden(); }
bool SaveAsControls::showsQuality() const { return !m_quality->isHidden(); }

} // namespace gp::ui
