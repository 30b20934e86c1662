#pragma once
// The channel choice of the Brightness and Contrast and Tone Adjustment dialogs: RGB, Red, Green
// and Blue; for a grayscale image the first reads "Gray" and the other three are off.

#include "editing/tone/ChannelTables.h"

#include <QGroupBox>

class QButtonGroup;

namespace gp::ui {

class ChannelButtons : public QGroupBox {
    Q_OBJECT
public:
    ChannelButtons(QWidget* parent, bool grayscale, ToneChannel checked);

    ToneChannel channel() const;

signals:
    void channelChosen(ToneChannel channel);

private:
    QButtonGroup* m_group;
};

} // namespace gp::ui
