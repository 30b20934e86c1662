#pragma once
// The page view of the layout screen. Until the page model paints the real page here, it shows
// the open photos fitted into an even grid of cells on the screen's background, or the blank
// panel while there is none. Files dropped on it are handed to the frame to open.

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

namespace gp {
class DocumentList;
}

namespace gp::ui {

class PageView : public QWidget {
    Q_OBJECT
public:
    PageView(QWidget* parent, const DocumentList& documents);

    void setBackground(QImage background)
    {
        m_background = std::move(background);
        update();
    }
    void setBlankPanel(QImage blank)
    {
        m_blank = std::move(blank);
        update();
    }
    // The cells of n photos in an area: as many columns as make the cells closest to square.
    static std::vector<QRect> cellsFor(int count, QRect area);

signals:
    void filesDropped(const QStringList& paths);

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    const DocumentList* m_documents;
    QImage m_background;
    QImage m_blank;
};

} // namespace gp::ui
