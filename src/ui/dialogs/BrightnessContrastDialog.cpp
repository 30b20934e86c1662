#include "dialogs/BrightnessContrastDialog.h"

#include "dialogs/ChannelButtons.h"
#include "dialogs/DialogText.h"
#include "dialogs/SliderRow.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

namespace gp::ui {

BrightnessContrastDialog::BrightnessContrastDialog(QWidget* parent, BrightnessContrastModel& model, const Image& source,
    const Allocator& allocator, EditDialogPort::PreviewCompute preview)
    : PreviewDialog(parent, tableText(StringId::DialogBrightnessContrast), source, allocator, std::move(preview))
{
    auto* grid = new QGridLayout;
    const SliderRow brightness = addSliderRow(this, grid, 0, tableText(StringId::DialogBrightness),
        QStringLiteral("brightness"), 0, 255, 16, model.brightnessPosition());
    const SliderRow contrast = addSliderRow(this, grid, 1, tableText(StringId::DialogContrast),
        QStringLiteral("contrast"), 0, 255, 16, model.contrastPosition());
    brightness.echo->setText(toQString(model.brightnessText()));
    contrast.echo->setText(toQString(model.contrastText()));
    controls()->addLayout(grid);
    auto* channels = new ChannelButtons(this, model.grayscale(), model.channel());
    controls()->addWidget(channels);

    connect(brightness.bar, &QScrollBar::valueChanged, this, [this, &model, echo = brightness.echo](int value) {
        model.setBrightnessPosition(value);
        echo->setText(toQString(model.brightnessText()));
        changed();
    });
    connect(contrast.bar, &QScrollBar::valueChanged, this, [this, &model, echo = contrast.echo](int value) {
        model.setContrastPosition(value);
        echo->setText(toQString(model.contrastText()));
        changed();
    });
    connect(channels, &ChannelButtons::channelChosen, this, [this, &model](ToneChannel channel) {
        model.setChannel(channel);
        changed();
    });
}

} // namespace gp::ui
