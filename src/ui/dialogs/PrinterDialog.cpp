#include "dialogs/PrinterDialog.h"

#include "gfx/QtPrinterCatalog.h"
#include "shell/StringTable.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace gp::ui {

namespace {

QString qtext(StringId id)
{
    return QString::fromUtf8(text(id).data(), qsizetype(text(id).size()));
}

bool isPdf(const DeviceNames& names)
{
    return names.driver == gfx::kPdfDriver;
}

} // namespace

PrinterDialog::PrinterDialog(
    QWidget* parent, const std::optional<PrinterChoice>& current, const std::vector<DeviceNames>& printers)
    : QDialog(parent)
    , m_current(current)
    , m_printers(printers)
    , m_list(new QListWidget(this))
{
    setWindowTitle(qtext(StringId::PrinterSetupTitle));
    chooseFile = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(
            this, qtext(StringId::PrintToPdfFile), proposed, qtext(StringId::PdfFileFilter));
    };
    for (const DeviceNames& names : m_printers) {
        const QString entry = isPdf(names) ? qtext(StringId::PrintToPdfFile)
                                           : QString::fromStdString(names.device) + qtext(StringId::PrinterOnPort)
                + QString::fromStdString(names.port);
        m_list->addItem(entry);
    }
    for (std::size_t i = 0; i < m_printers.size(); ++i) {
        const bool matches = m_current
            && (isPdf(m_printers[i]) ? isPdf(m_current->names) : m_printers[i].device == m_current->names.device);
        if (matches || (!m_current && i == 0)) {
            m_list->setCurrentRow(int(i));
            break;
        }
    }
    auto* label = new QLabel(qtext(StringId::PrinterListLabel).remove(QLatin1Char('&')), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

std::optional<PrinterChoice> PrinterDialog::selectedChoice() const
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= int(m_printers.size()))
        return std::nullopt;
    const DeviceNames& names = m_printers[std::size_t(row)];
    if (isPdf(names)) {
        const QString proposed
            = m_current && isPdf(m_current->names) ? QString::fromStdString(m_current->names.port) : QString();
        const QString file = chooseFile(proposed);
        if (file.isEmpty())
            return std::nullopt;
        PrinterChoice choice = gfx::filePrinter(gfx::kPdfDriver, file.toStdString());
        if (m_current && isPdf(m_current->names))
            choice.mode = m_current->mode;
        return choice;
    }
    if (m_current && m_current->names == names)
        return m_current;
    return gfx::queuePrinter(names.device);
}

std::optional<PrinterChoice> PrinterDialog::choose(
    QWidget* parent, const std::optional<PrinterChoice>& current, const std::vector<DeviceNames>& printers)
{
    PrinterDialog dialog(parent, current, printers);
    while (dialog.exec() == QDialog::Accepted)
        if (auto choice = dialog.selectedChoice())
            return choice;
    return std::nullopt;
}

} // namespace gp::ui
