#pragma once
// "Edit Text": the words of an upper or lower text of the single-photo page, one text per line,
// and "Font..." for its face, size and colour. OK writes both into the text.

#include "layout/MattePage.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace gp::ui {

class EditTextDialog : public QDialog {
    Q_OBJECT
public:
    EditTextDialog(QWidget* parent, MatteText& text);

    QPlainTextEdit* textField() const { return m_field; }
    QPushButton* fontButton() const { return m_fontButton; }

private:
    void accept() override;

    MatteText* m_text;
    MatteText m_font; // the font chosen so far, applied on OK
    QPlainTextEdit* m_field;
    QPushButton* m_fontButton;
};

} // namespace gp::ui
