#pragma once
// Printer Setup: the system's printers in a list (the CUPS queues, then "Print to PDF file"),
// starting on the current choice, with the paper size (the selected queue's own sizes, or the
// standard sizes for a PDF file), the orientation and a queue's own options read from its driver
// (paper source, media type, print quality, colour and the rest), each starting on the current
// choice or the queue's default. Choosing the PDF entry asks for the file to write.

#include "draw/PrinterCatalog.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QFormLayout;
class QGroupBox;
class QListWidget;
class QRadioButton;

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
    // The paper sizes of the selected printer, with the size's key (as in DeviceMode) as data.
    QComboBox* paper() const { return m_paper; }
    QRadioButton* landscape() const { return m_landscape; }
    // The box of the selected queue's own options (hidden when it has none), and the choice
    // list of one option by its driver name, with each choice's driver name as data; null when
    // the selected printer does not offer it.
    QGroupBox* optionsBox() const { return m_optionsBox; }
    QComboBox* option(const QString& keyword) const;
    // Asks for the PDF file's name, proposing one; an empty answer cancels. A save dialog unless
    // replaced.
    std::function<QString(const QString& proposed)> chooseFile;
    // The choice of the selected entry: a queue with its own settings (the current ones when it
    // is the current queue), or the PDF file once its name is given. Nothing when no entry is
    // selected, the name is not given or the queue has gone.
    std::optional<PrinterChoice> selectedChoice() const;

private:
    // Lists the paper sizes of the printer in `row` and selects the one it starts with.
    void showPapers(int row);
    // Lists the own options of the printer in `row`, each starting where the printer is set.
    void showOptions(int row);
    // Puts the chosen paper, orientation and options into a printer's settings.
    void applyPage(DeviceMode& mode) const;

    std::optional<PrinterChoice> m_current;
    std::vector<DeviceNames> m_printers;
    QListWidget* m_list;
    QComboBox* m_paper;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
    QGroupBox* m_optionsBox;
    QFormLayout* m_optionsForm;
    std::vector<std::pair<std::string, QComboBox*>> m_options;
};

} // namespace gp::ui
