#pragma once
// Printer Setup: the system's printers in a list (the CUPS queues, then "Print to PDF file"),
// starting on the current choice. Choosing the PDF entry asks for the file to write.

#include "draw/PrinterCatalog.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

class QListWidget;

namespace gp::ui {

class PrinterDialog : public QDialog {
    Q_OBJECT
public:
    PrinterDialog(
        QWidget* parent, const std::optional<PrinterChoice>& current, const std::vector<DeviceNames>& printers);

    // Runs the dialog; nothing when the user cancels.
    static std::optional<PrinterChoice> choose(
        QWidget* parent, const std::optional<PrinterChoice>& current, const std::vector<DeviceNames>& printers);

    QListWidget* list() const { return m_list; }
    // Asks for the PDF file's name, proposing one; an empty answer cancels. A save dialog unless
    // replaced.
    std::function<QString(const QString& proposed)> chooseFile;
    // The choice of the selected entry: a queue with its own settings (the current ones when it
    // is the current queue), or the PDF file once its name is given. Nothing when no entry is
    // selected, the name is not given or the queue has gone.
    std::optional<PrinterChoice> selectedChoice() const;

private:
    std::optional<PrinterChoice> m_current;
    std::vector<DeviceNames> m_printers;
    QListWidget* m_list;
};

} // namespace gp::ui
