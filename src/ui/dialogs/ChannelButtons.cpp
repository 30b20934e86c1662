#include "dialogs/ChannelButtons.h"

#include "dialogs/DialogText.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

namespace gp::ui {

ChannelButtons::ChannelButtons(QWidget* parent, bool grayscale, ToneChannel checked)
    : QGroupBox(tableText(StringId::DialogChannel), parent)
    , m_group(new QButtonGroup(this))
{
    auto* layout = new QHBoxLayout(this);
    const std::pair<ToneChannel, StringId> choices[] = {
        { ToneChannel::All, grayscale ? StringId::HistogramGray : StringId::DialogChannelRgb },
        { ToneChannel::Red, StringId::HistogramRed },
        { ToneChannel::Green, StringId::HistogramGreen },
        { ToneChannel::Blue, StringId::HistogramBlue },
    };
    static const char* const names[] = { "channelAll", "channelRed", "channelGreen", "channelBlue" };
    for (const auto& [channel, label] : choices) {
        auto* button = new QRadioButton(tableText(label), this);
        const int id = int(channel);
        button->setObjectName(names[id - 1]);
        button->setEnabled(!grayscale || channel == ToneChannel::All);
        button->setChecked(channel == (grayscale ? ToneChannel::All : checked));
        m_group->addButton(button, id);
        layout->addWidget(button);
    }
    connect(m_group, &QButtonGroup::idClicked, this, [this](int id) { emit channelChosen(ToneChannel(id)); });
}

ToneChannel ChannelButtons::channel() const
{
    return ToneChannel(m_group->checkedId());
}

} // namespace gp::ui
