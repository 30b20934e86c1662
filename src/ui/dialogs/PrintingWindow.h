#pragma once
// The "Printing" window of a print job: the progress text and a Cancel button. It stays up while
// the job runs; the job asks it between bands whether Cancel was pressed.

#include <QDialog>

class QLabel;
class QPushButton;

namespace gp::ui {

class PrintingWindow : public QDialog {
    Q_OBJECT
public:
    PrintingWindow(QWidget* parent, const QString& progress);

    void setProgress(const QString& progress);
    QString progress() const;
    QPushButton* cancelButton() const { return m_cancel; }
    // Lets waiting input through; true once Cancel was pressed.
    bool processEvents();
    bool cancelled() const { return m_cancelled; }

private:
    QLabel* m_progress;
    QPushButton* m_cancel;
    bool m_cancelled = false;
};

} // namespace gp::ui
