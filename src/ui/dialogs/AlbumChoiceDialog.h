#pragma once
// A list of the general albums by display name, the first (or the given one) selected; used by
// Add To Album, Open Album and the Slide Show dialog's album list. With a "new album" entry
// the position after the last album stands for a new one.

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace gp::ui {

class AlbumChoiceDialog : public QDialog {
public:
    AlbumChoiceDialog(QWidget* parent, const QString& title, const QString& prompt, const QStringList& albums,
        int selected, const QString& newEntry = {});

    // The chosen position (albums.size() for the new-album entry).
    int choice() const;
    QListWidget* list() const { return m_list; }

private:
    QListWidget* m_list;
};

} // namespace gp::ui
