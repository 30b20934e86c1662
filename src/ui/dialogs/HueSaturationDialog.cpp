#include "dialogs/HueSaturationDialog.h"

#include "dialogs/DialogText.h"
#include "dialogs/SliderRow.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

namespace gp::ui {

HueSaturationDialog::HueSaturationDialog(QWidget* parent, HueSaturationModel& model, const Image& source,
    const Allocator& allocator, EditDialogPort::PreviewCompute preview)
    : PreviewDialog(parent, tableText(StringId::DialogHueSaturation), source, allocator, std::move(preview))
{
    auto* grid = new QGridLayout;
    const SliderRow hue = addSliderRow(
        this, grid, 0, tableText(StringId::DialogHue), QStringLiteral("hue"), 0, 360, 30, model.huePosition());
    const SliderRow saturation = addSliderRow(this, grid, 1, tableText(StringId::DialogSaturation),
        QStringLiteral("saturation"), 0, 200, 20, model.saturationPosition());
    hue.echo->setText(toQString(model.hueText()));
    saturation.echo->setText(toQString(model.saturationText()));
    controls()->addLayout(grid);

    connect(hue.bar, &QScrollBar::valueChanged, this, [this, &model, echo = hue.echo](int value) {
        model.setHuePosition(value);
        echo->setText(toQString(model.hueText()));
        changed();
    });
    connect(saturation.bar, &QScrollBar::valueChanged, this, [this, &model, echo = saturation.echo](int value) {
        model.setSaturationPosition(value);
        echo->setText(toQString(model.saturationText()));
        changed();
    });
}

} // namespace gp::ui
