#pragma once
// "Properties" of an album photo: the editable file name and the file's folder, type, size,
// date and format. OK with a new name renames the file (the folder and extension stay); a
// name that is taken shows "File already exists" and the dialog stays open.

#include "album/PhotoItem.h"

#include <QDialog>

class QLineEdit;

namespace gp::ui {

class PhotoPropertiesDialog : public QDialog {
public:
    PhotoPropertiesDialog(QWidget* parent, PhotoRecord& record);
    void accept() override;

    QLineEdit* nameField() const { return m_name; }
    bool renamed() const { return m_renamed; }

private:
    PhotoRecord* m_record;
    QLineEdit* m_name;
    bool m_renamed = false;
};

} // namespace gp::ui
