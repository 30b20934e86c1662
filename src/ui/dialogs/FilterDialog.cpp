#include "dialogs/FilterDialog.h"

#include "dialogs/DialogText.h"
#include "dialogs/SliderRow.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

namespace gp::ui {

FilterDialog::FilterDialog(QWidget* parent, FilterDialogModel& model, const Image& source, const Allocator& allocator,
    EditDialogPort::PreviewCompute preview)
    : PreviewDialog(parent, toQString(model.title()), source, allocator, std::move(preview))
{
    auto* grid = new QGridLayout;
    const SliderRow intensity = addSliderRow(this, grid, 0, tableText(StringId::DialogIntensity),
        QStringLiteral("intensity"), 1, 100, 10, model.intensity());
    intensity.echo->setText(QString::number(model.intensity()));
    controls()->addLayout(grid);
    connect(intensity.bar, &QScrollBar::valueChanged, this, [this, &model, echo = intensity.echo](int value) {
        model.setIntensity(value);
        echo->setText(QString::number(model.intensity()));
        changed();
    });
}

} // namespace gp::ui
