#pragma once
// The source's own dialog: the device's mode, the resolution and the scan area in millimetres,
// with Scan and Close. It stays open while the source is enabled, so several scans can follow
// one another; closing it asks the program to close the source.

#include "SaneDevice.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace gp::twain {

class SourceDialog : public QDialog {
public:
    SourceDialog(SaneDevice& device, QWidget* parent);

    std::function<void()> onScan;
    std::function<void()> onClose;

    // While a scanned image waits to be taken, Scan is off.
    void setBusy(bool busy);
    void showError(const std::string& message);

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void applySettings();

    SaneDevice& m_device;
    QComboBox* m_mode;
    QDoubleSpinBox* m_resolution;
    QDoubleSpinBox* m_area[4];
    QLabel* m_status;
    QPushButton* m_scan;
};

// Posts an event of the source's own to the application object, so the program's event filter
// asks the source for news; the application outlives every source and its dialog.
void wakeProgram();
// True for the event wakeProgram posts.
bool isWakeEvent(const void* event);

// The parent a handle names when it is one of the program's top-level widgets, else none: a
// handle from the program is never trusted as a pointer before it is found among them.
QWidget* trustedParent(void* handle);

} // namespace gp::twain
