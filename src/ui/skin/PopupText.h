#pragma once
// The one popup text at a time: yellow, near the mouse, kept 4 pixels inside its window. The
// same text is not shown twice in a row; an empty text closes it, and so does the mouse
// moving over it.

#include <QPointer>
#include <QWidget>

namespace gp::ui {

class PopupText : public QWidget {
    Q_OBJECT
public:
    // A leading blank of text is skipped. Returns the popup shown, or nullptr when closed.
    static PopupText* show(QWidget* window, QPoint point, QString text);
    static PopupText* current();
    static void close();

    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    PopupText(QWidget* window, const QString& text);
    QString m_text;
};

} // namespace gp::ui
