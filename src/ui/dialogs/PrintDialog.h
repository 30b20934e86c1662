#pragma once
// The Print dialog of the single-photo Print command, over the engine's model: the printer and
// document names, a description, the copies field, the centring switches, the output resolution
// with its scroll bar and the size it gives, and a page preview whose photo can be dragged.

#include <QDialog>
#include <QImage>

class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace gp {
class PrintDialogModel;
}

namespace gp::ui {

class PrintPreview;

class PrintDialog : public QDialog {
    Q_OBJECT
public:
    PrintDialog(QWidget* parent, PrintDialogModel& model, const QImage& photo, const QString& printerName,
        const QString& documentTitle, const QString& decimalSeparator);

    QScrollBar* resolutionBar() const { return m_bar; }
    QCheckBox* centerXBox() const { return m_centerX; }
    QCheckBox* centerYBox() const { return m_centerY; }
    QLineEdit* descriptionField() const { return m_description; }
    QLineEdit* copiesField() const { return m_copies; }
    QLabel* resolutionText() const { return m_resolution; }
    QLabel* sizeText() const { return m_size; }
    PrintPreview* preview() const { return m_preview; }

    // OK: the copies and the description go into the model.
    void accept() override;

private:
    void showValues();

    PrintDialogModel* m_model;
    QString m_decimal;
    QLineEdit* m_description;
    QLineEdit* m_copies;
    QCheckBox* m_centerX;
    QCheckBox* m_centerY;
    QLabel* m_resolution;
    QScrollBar* m_bar;
    QLabel* m_size;
    PrintPreview* m_preview;
};

// The page preview: a frame in the printable area's proportions with the photo's box in it.
class PrintPreview : public QWidget {
    Q_OBJECT
public:
    PrintPreview(QWidget* parent, PrintDialogModel& model, const QImage& photo);

    // The preview frame inside this widget.
    QRect frame() const;

signals:
    // The photo was dragged (the centring switches are off now).
    void dragged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PrintDialogModel* m_model;
    QImage m_photo;
};

} // namespace gp::ui
