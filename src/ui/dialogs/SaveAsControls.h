#pragma once
// The Save As dialog's extra controls: the "&Compress" box for the TIFF and TGA types and the
// "&Quality: %d" label with its scroll bar (1..100, line 1, page 10) for JPEG and FlashPix.
// They sit under the file dialog's own controls and follow the type chosen in its list.

#include <QWidget>

class QCheckBox;
class QFileDialog;
class QLabel;
class QScrollBar;

namespace gp::ui {

class SaveAsControls : public QWidget {
public:
    // Adds the controls to dialog (a Qt file dialog, not the platform's own) with compress and
    // quality preset.
    SaveAsControls(QFileDialog& dialog, bool compress, int quality);

    bool compress() const;
    int quality() const;
    // Which controls the chosen type shows.
    bool showsCompress() const;
    bool showsQuality() const;

private:
    void followFilter(const QString& filter);

    QCheckBox* m_compress;
    QLabel* m_qualityLabel;
    QScrollBar* m_quality;
};

} // namespace gp::ui
