#pragma once
// Image Information: the document's title, width and height in the chosen unit (the choice stays
// for the next opening while the program runs), resolution, size and type, and the histogram
// for the types that have one.

#include "image/DisplayInformation.h"

#include <QDialog>

class QLabel;

namespace gp {
class Document;
}

namespace gp::ui {

class ImageInfoDialog : public QDialog {
    Q_OBJECT
public:
    // decimalSeparator: the user's, for inches and centimetres.
    ImageInfoDialog(QWidget* parent, const Document& document, int screenDpi, std::string decimalSeparator);

    static LengthUnit unit() { return s_unit; }
    static void setUnit(LengthUnit unit) { s_unit = unit; }

    QString widthText() const;
    QString resolutionText() const;

private:
    void showSizes();

    static inline LengthUnit s_unit = LengthUnit::Pixel;
    const Document* m_document;
    int m_dpi;
    std::string m_separator;
    QLabel* m_width;
    QLabel* m_height;
    QLabel* m_resolution;
};

} // namespace gp::ui
