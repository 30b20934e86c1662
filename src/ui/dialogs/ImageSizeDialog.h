#pragma once
// The Image Size dialog over its engine model: the present width, height and resolution, the
// editable Width, Height, Resolution and the two scales, Keep Aspect Ratio and the data size.
// Typing in Width, Height or a scale lets the model recompute the other fields (only the user's
// typing does, so the dialog's own updates never recurse); a field that is not a number beeps.
// OK closes only when the model accepts the values; otherwise it beeps.

#include "editing/transform/ImageSizeModel.h"

#include <QDialog>
#include <functional>
#include <string_view>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace gp {
class Host;
}

namespace gp::ui {

class ImageSizeDialog : public QDialog {
public:
    ImageSizeDialog(QWidget* parent, ImageSizeModel& model, Host& host);

    void accept() override;

private:
    QLineEdit* addField(const QString& name, int value);
    // The user's typing in a field goes to the model's edit; a refused text beeps.
    void watchField(QLineEdit* field, std::function<bool(std::string_view)> edit);
    // Writes the model's values into every field but the one being typed in.
    void showValues(const QLineEdit* typing);

    ImageSizeModel* m_model;
    Host* m_host;
    QLineEdit* m_width;
    QLineEdit* m_height;
    QLineEdit* m_resolution;
    QLineEdit* m_widthScale;
    QLineEdit* m_heightScale;
    QCheckBox* m_keepAspect;
    QLabel* m_dataSize;
};

} // namespace gp::ui
