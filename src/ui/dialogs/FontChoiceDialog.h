#pragma once
// "Select Font": a face from the system's families, a style, a size in tenths of a point and a
// colour, as the texts of the single-photo page keep them.

#include "layout/MattePage.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QPushButton;

namespace gp::ui {

class FontChoiceDialog : public QDialog {
    Q_OBJECT
public:
    // Starts with the text's face, style, size and colour.
    FontChoiceDialog(QWidget* parent, const MatteText& text);

    // The chosen font into a text (its words stay as they are).
    void applyTo(MatteText& text) const;

    QFontComboBox* faceBox() const { return m_face; }
    QComboBox* styleBox() const { return m_style; }
    QDoubleSpinBox* sizeBox() const { return m_size; }
    QPushButton* colorButton() const { return m_colorButton; }
    Color color() const { return m_color; }
    void setColor(Color color);

private:
    QFontComboBox* m_face;
    QComboBox* m_style;
    QDoubleSpinBox* m_size;
    QPushButton* m_colorButton;
    Color m_color;
};

} // namespace gp::ui
