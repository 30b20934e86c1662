#pragma once
// A sunken text pane of the status bar: a line along the top, a sunken frame inset by
// height / 10 + 1 (twice that at the sides), light gray inside and the text in black, centred
// vertically. The panes share one font sized from their height.

#include <QWidget>

namespace gp::ui {

class SuperStatic : public QWidget {
    Q_OBJECT
public:
    explicit SuperStatic(QWidget* parent = nullptr, Qt::Alignment alignment = Qt::AlignLeft);
    void setText(const QString& text);
    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    Qt::Alignment m_alignment;
};

} // namespace gp::ui
