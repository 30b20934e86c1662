#pragma once
// The text screen's composition window: the background (the cell's photo fitted into the
// composing rectangle with white strips, or the free-style page's photos) and the texts being
// composed, drawn as the page draws them. A press on a text makes it current and drags it; on
// release the text is kept inside the rectangle and the screen hears which item was chosen.

#include <QImage>
#include <QWidget>
#include <cstddef>
#include <optional>

namespace gp {
class TextComposer;
}

namespace gp::ui {

class TextComposeView : public QWidget {
    Q_OBJECT
public:
    explicit TextComposeView(QWidget* parent);

    // The composer whose list is shown (none while the screen is closed), and the background
    // picture of the view's size.
    void setComposer(TextComposer* composer)
    {
        m_composer = composer;
        update();
    }
    void setBackground(const QImage& background)
    {
        m_background = background;
        update();
    }

signals:
    // An item was pressed and possibly dragged: it is current now.
    void itemChosen(std::size_t index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::optional<std::size_t> itemAt(QPoint at);

    TextComposer* m_composer = nullptr;
    QImage m_background;
    bool m_dragging = false;
    QPoint m_dragFrom;
};

} // namespace gp::ui
