#pragma once
// The "Photo CD Options" dialog: the Data Type and Resolution lists, preset from the settings the
// reader hands over. OK answers the chosen indices.

#include "shell/Host.h"

#include <QDialog>

class QComboBox;

namespace gp::ui {

class PhotoCdOptionsDialog : public QDialog {
public:
    PhotoCdOptionsDialog(QWidget* parent, const PhotoCdDialog& dialog);

    PhotoCdChoice choice() const;

private:
    QComboBox* m_dataType;
    QComboBox* m_resolution;
};

} // namespace gp::ui
