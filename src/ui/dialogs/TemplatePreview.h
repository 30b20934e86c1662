#pragma once
// The page preview of the Template dialog: the background, an inch grid, the photo and the two
// texts (or the calendar) where the page has them, at the preview's text scale. A press on an
// item drags it (the photo stays inside the preview); a double click asks for the item's
// dialog, or for the background's elsewhere.

#include "layout/MattePage.h"

#include <QImage>
#include <QWidget>
#include <optional>

namespace gp::ui {

class TemplatePreview : public QWidget {
    Q_OBJECT
public:
    enum class Item { None, Upper, Lower, Photo };

    TemplatePreview(QWidget* parent, MattePage& page);

    // The photo as shown, and the background picture for the page's orientation (none for
    // none); the preview keeps copies scaled to its size.
    void setPhoto(const QImage& photo);
    void setBackground(const QImage& background);
    // Resizes the text windows to their texts (after a text, font or kind changed).
    void fitTextWindows();
    // The item under a point, upper text first, then lower text, then photo.
    Item itemAt(QPoint at) const;

signals:
    void itemDoubleClicked(gp::ui::TemplatePreview::Item item);
    void photoMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Rect* rectOf(Item item);

    MattePage* m_page;
    QImage m_photo;
    QImage m_background;
    QImage m_photoShown; // m_photo scaled to the photo window, made again when that changes
    Item m_dragged = Item::None;
    QPoint m_dragFrom;
};

} // namespace gp::ui
