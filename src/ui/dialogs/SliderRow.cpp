#include "dialogs/SliderRow.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>

namespace gp::ui {

SliderRow addSliderRow(QWidget* owner, QGridLayout* grid, int row, const QString& label, const QString& name,
    int minimum, int maximum, int page, int value)
{
    auto* bar = new QScrollBar(Qt::Horizontal, owner);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(page);
    bar->setValue(value);
    bar->setMinimumWidth(240);
    bar->setFocusPolicy(Qt::StrongFocus);
    auto* echo = new QLabel(owner);
    echo->setObjectName(name + "Text");
    echo->setMinimumWidth(40);
    echo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(new QLabel(label, owner), row, 0);
    grid->addWidget(bar, row, 1);
    grid->addWidget(echo, row, 2);
    return { bar, echo };
}

} // namespace gp::ui
