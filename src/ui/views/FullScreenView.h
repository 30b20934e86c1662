#pragma once
// The full-screen view: the active document centred on black at its zoom plus the view's own
// offset. A left click zooms in (out with Shift), a right click zooms out, Enter resets the
// offset at the next paint and Escape closes the view.

#include "views/DocumentPainter.h"

#include <QWidget>
#include <functional>

namespace gp {
class Document;
}

namespace gp::ui {

class FullScreenView : public QWidget {
    Q_OBJECT
public:
    FullScreenView(const Document& document, DisplaySetup setup);
    int offset() const { return m_offset; }
    int zoom() const;

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const Document* m_document;
    DisplaySetup m_setup;
    int m_offset = 0;
};

} // namespace gp::ui
