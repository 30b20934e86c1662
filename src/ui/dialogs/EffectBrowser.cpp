#include "dialogs/EffectBrowser.h"

#include "dialogs/DialogText.h"
#include "dialogs/SliderRow.h"
#include "shell/CommandIds.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QVBoxLayout>

namespace gp::ui {

namespace {

// The effects' names follow one another in the table, from Painting.
constexpr int kFirstEffectName = int(StringId::NamePainting);

} // namespace

EffectBrowser::EffectBrowser(QWidget* parent, FilterDialogModel& model, const Image& source, const Allocator& allocator,
    EditDialogPort::PreviewCompute preview)
    : PreviewDialog(parent, tableText(StringId::DialogEffectsBrowser), source, allocator, std::move(preview))
{
    controls()->addWidget(new QLabel(tableText(StringId::DialogEffect), this));
    auto* effects = new QListWidget(this);
    effects->setObjectName("effects");
    for (int command = command::EffectFirst; command < command::EffectLast; ++command)
        effects->addItem(toQString(text(kFirstEffectName + command - command::EffectFirst)));
    effects->setCurrentRow(model.effectIndex());
    effects->setMaximumHeight(120);
    controls()->addWidget(effects);
    auto* grid = new QGridLayout;
    const SliderRow intensity = addSliderRow(this, grid, 0, tableText(StringId::DialogIntensity),
        QStringLiteral("intensity"), 1, 100, 10, model.intensity());
    intensity.echo->setText(QString::number(model.intensity()));
    controls()->addLayout(grid);

    connect(effects, &QListWidget::currentRowChanged, this, [this, &model](int row) {
        if (row < 0)
            return;
        model.setEffectIndex(row);
        changed();
    });
    connect(intensity.bar, &QScrollBar::valueChanged, this, [this, &model, echo = intensity.echo](int value) {
        model.setIntensity(value);
        echo->setText(QString::number(model.intensity()));
        changed();
    });
}

} // namespace gp::ui
