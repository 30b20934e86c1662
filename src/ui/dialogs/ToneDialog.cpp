#include "dialogs/ToneDialog.h"

#include "dialogs/ChannelButtons.h"
#include "dialogs/DialogText.h"
#include "dialogs/SliderRow.h"
#include "dialogs/ToneCurveView.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace gp::ui {

ToneDialog::ToneDialog(
    QWidget* parent, ToneModel& model, const Image& source, const Allocator& allocator, EditDialogPort::PreviewCompute preview)
    : PreviewDialog(parent, tableText(StringId::DialogToneAdjustment), source, allocator, std::move(preview))
    , m_model(&model)
    , m_source(&source)
{
    m_curve = new ToneCurveView(this);
    m_curve->setObjectName("curve");
    controls()->addWidget(m_curve, 0, Qt::AlignHCenter);
    auto* grid = new QGridLayout;
    const std::pair<StringId, const char*> rows[] = { { StringId::DialogHighlight, "highlight" },
        { StringId::DialogMidtone, "midtone" }, { StringId::DialogShadow, "shadow" } };
    for (int i = 0; i < 3; ++i) {
        const SliderRow row = addSliderRow(
            this, grid, i, tableText(rows[i].first), QString::fromLatin1(rows[i].second), -100, 100, 10, 0);
        grid->addWidget(new QLabel(tableText(StringId::DialogPercent), this), i, 3);
        m_bars[i] = row.bar;
        m_echoes[i] = row.echo;
        connect(row.bar, &QScrollBar::valueChanged, this, [this, i](int value) {
            if (i == 0)
                m_model->setHighlight(value);
            else if (i == 1)
                m_model->setMidtone(value);
            else
                m_model->setShadow(value);
            showValues();
            changed();
        });
    }
    controls()->addLayout(grid);
    auto* channels = new ChannelButtons(this, model.grayscale(), model.channel());
    controls()->addWidget(channels);
    auto* autoButton = new QPushButton(tableText(StringId::DialogAuto), this);
    autoButton->setObjectName("auto");
    autoButton->setAutoDefault(false);
    controls()->addWidget(autoButton, 0, Qt::AlignLeft);

    connect(channels, &ChannelButtons::channelChosen, this, [this](ToneChannel channel) {
        m_model->setChannel(channel);
        m_curve->setHistogram(levelHistogram(*m_source, m_model->channel()));
        showValues();
        changed();
    });
    connect(autoButton, &QPushButton::clicked, this, [this] {
        m_model->autoAdjust(*m_source);
        showValues();
        changed();
    });
    m_curve->setHistogram(levelHistogram(source, model.channel()));
    showValues();
}

void ToneDialog::showValues()
{
    const ToneSliders sliders = m_model->sliders();
    const int values[] = { sliders.highlight, sliders.midtone, sliders.shadow };
    for (int i = 0; i < 3; ++i) {
        // Auto moves the bars as a drag would, without running the change twice.
        const QSignalBlocker quiet(m_bars[i]);
        m_bars[i]->setValue(values[i]);
        m_echoes[i]->setText(QString::number(values[i]));
    }
    m_curve->setCurve(m_model->table(), m_model->channel());
}

} // namespace gp::ui
