#include "dialogs/HistogramDialog.h"

#include "shell/StringTable.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QRadioButton>

namespace gp::ui {

namespace {

QString qtext(StringId id)
{
    return QString::fromUtf8(text(id).data(), qsizetype(text(id).size()));
}

} // namespace

void HistogramPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!m_counts)
        return;
    const int margin = 4;
    const int w = width() - 2 * margin;
    const int h = height() - 2 * margin;
    const auto tops = histogramColumnTops(*m_counts, w, h);
    p.setPen(m_pen);
    for (int x = 0; x < int(tops.size()); ++x)
        p.drawLine(margin + x, h + margin, margin + x, tops[std::size_t(x)]);
}

HistogramDialog::HistogramDialog(QWidget* parent, const Image& image)
    : QDialog(parent)
    , m_histogram(computeHistogram(image))
    , m_panel(new HistogramPanel(this))
{
    setWindowTitle(qtext(StringId::HistogramCaption));
    auto* choices = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    const StringId labels[] = { m_histogram.grayscale ? StringId::HistogramGray : StringId::HistogramAll,
        StringId::HistogramRed, StringId::HistogramGreen, StringId::HistogramBlue };
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(qtext(labels[i]), this);
        radio->setEnabled(i == 0 || !m_histogram.grayscale);
        radio->setChecked(i == 0);
        group->addButton(radio, i);
        choices->addWidget(radio);
    }
    connect(group, &QButtonGroup::idClicked, this, &HistogramDialog::choose);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel, 1);
    layout->addLayout(choices);
    layout->addWidget(buttons);
    choose(0);
}

void HistogramDialog::choose(int table)
{
    const LevelCounts* tables[] = { &m_histogram.combined, &m_histogram.red, &m_histogram.green, &m_histogram.blue };
    const QColor pens[] = { Qt::black, Qt::red, Qt::green, Qt::blue };
    table = std::clamp(table, 0, 3);
    m_panel->show(tables[table], pens[table]);
}

} // namespace gp::ui
