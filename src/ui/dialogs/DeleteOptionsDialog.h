#pragma once
// "Delete Options": remove the selected photos from the album only (the default), or also
// delete their files, which is asked once more before anything is deleted.

#include "album/AlbumList.h"

#include <QDialog>
#include <optional>

class QRadioButton;

namespace gp::ui {

class DeleteOptionsDialog : public QDialog {
public:
    explicit DeleteOptionsDialog(QWidget* parent);

    DeleteFiles choice() const;
    QRadioButton* alsoFiles() const { return m_files; }

    // Runs the dialog and, for deleting files, the question; nothing when the user backs out.
    static std::optional<DeleteFiles> ask(QWidget* parent);

private:
    QRadioButton* m_thumbnails;
    QRadioButton* m_files;
};

} // namespace gp::ui
