#pragma once
// "Sort Album": the key (By File Name, By File Type, By File Size, By File Date, By Description)
// and "Reverse Order", starting from the order last used; OK stores the choice in the order.

#include "album/AlbumSort.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

namespace gp::ui {

class SortAlbumDialog : public QDialog {
public:
    SortAlbumDialog(QWidget* parent, AlbumSortOrder& order);
    void accept() override;

    QButtonGroup* keys() const { return m_keys; }
    QCheckBox* reverse() const { return m_reverse; }

private:
    AlbumSortOrder* m_order;
    QButtonGroup* m_keys;
    QCheckBox* m_reverse;
};

} // namespace gp::ui
