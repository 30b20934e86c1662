#pragma once
// "Edit Calendar": the month and the year of the calendar page, and "Font..." for the
// calendar's face, size and colour (those of the lower text). OK stores all three.

#include "layout/MattePage.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace gp::ui {

class EditCalendarDialog : public QDialog {
    Q_OBJECT
public:
    EditCalendarDialog(QWidget* parent, MattePage& page);

    QComboBox* monthBox() const { return m_month; }
    QComboBox* yearBox() const { return m_year; }
    QPushButton* fontButton() const { return m_fontButton; }

private:
    void accept() override;

    MattePage* m_page;
    MatteText m_font;
    QComboBox* m_month;
    QComboBox* m_year;
    QPushButton* m_fontButton;
};

} // namespace gp::ui
