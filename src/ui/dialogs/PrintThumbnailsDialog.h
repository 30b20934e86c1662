#pragma once
// "Print Thumbnails": all thumbnails or the photos From/To (numbers from 1), "Print File Names",
// and "&Setup..." for Printer Setup. OK fills the job; the caller prints it.

#include "album/ThumbnailSheet.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace gp::ui {

class PrintThumbnailsDialog : public QDialog {
public:
    PrintThumbnailsDialog(QWidget* parent, int photoCount, std::function<void()> printerSetup);

    ThumbnailPrintJob job(const AlbumList& album) const;

    QRadioButton* range() const { return m_range; }
    QSpinBox* from() const { return m_from; }
    QSpinBox* to() const { return m_to; }
    QCheckBox* names() const { return m_names; }

private:
    QRadioButton* m_all;
    QRadioButton* m_range;
    QSpinBox* m_from;
    QSpinBox* m_to;
    QCheckBox* m_names;
};

} // namespace gp::ui
