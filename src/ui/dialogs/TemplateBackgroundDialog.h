#pragma once
// "Template Background": no background, a colour (chosen with "Change Color...", which only
// that choice enables) or one of the catalogue's named pictures. OK stores the choice.

#include "layout/MattePage.h"

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;

namespace gp::ui {

class TemplateBackgroundDialog : public QDialog {
    Q_OBJECT
public:
    // names: the background list, "None ", "Color " and the catalogue's entries.
    TemplateBackgroundDialog(QWidget* parent, MattePage& page, const std::vector<std::string>& names);

    QComboBox* kindBox() const { return m_kind; }
    QPushButton* changeColorButton() const { return m_change; }
    Color color() const { return m_color; }

private:
    void accept() override;

    MattePage* m_page;
    Color m_color;
    QComboBox* m_kind;
    QPushButton* m_change;
};

} // namespace gp::ui
