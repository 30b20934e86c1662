#include "dialogs/PrinterDialog.h"

#include "gfx/QtPrinterCatalog.h"
#include "gfx/QueueOptions.h"
#include "shell/StringTable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

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

// The sizes a PDF file offers: the common photo and office papers.
QList<QPageSize> filePapers()
{
    QList<QPageSize> sizes;
    for (QPageSize::PageSizeId id : { QPageSize::Letter, QPageSize::Legal, QPageSize::Tabloid, QPageSize::A3,
             QPageSize::A4, QPageSize::A5, QPageSize::A6, QPageSize::B5, QPageSize::Executive })
        sizes.append(QPageSize(id));
    // Photo paper: 4 x 6, 5 x 7 and 8 x 10 inches.
    for (QSizeF inches : { QSizeF(4, 6), QSizeF(5, 7), QSizeF(8, 10) })
        sizes.append(QPageSize(inches, QPageSize::Inch));
    return sizes;
}

// The options every photo printer's driver names alike, shown first under captions of our own;
// the rest follow in the driver's order under the driver's captions.
struct KnownOption {
    const char* keyword;
    StringId caption;
};
constexpr KnownOption kKnownOptions[] = {
    { "InputSlot", StringId::PrinterSourceLabel },
    { "MediaType", StringId::PrinterMediaLabel },
    { "Resolution", StringId::PrinterQualityLabel },
    { "ColorModel", StringId::PrinterColourLabel },
};

int knownRank(const std::string& keyword)
{
    for (std::size_t i = 0; i < std::size(kKnownOptions); ++i)
        if (keyword == kKnownOptions[i].keyword)
            return int(i);
    return int(std::size(kKnownOptions));
}

QString captionOf(const gfx::QueueOption& option)
{
    const int rank = knownRank(option.keyword);
    if (rank < int(std::size(kKnownOptions)))
        return qtext(kKnownOptions[rank].caption);
    return QString::fromStdString(option.text) + QLatin1Char(':');
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

    m_paper = new QComboBox(this);
    m_portrait = new QRadioButton(qtext(StringId::PrinterPortrait), this);
    m_landscape = new QRadioButton(qtext(StringId::PrinterLandscape), this);
    const bool landscape = m_current && m_current->mode.orientation == Orientation::Landscape;
    (landscape ? m_landscape : m_portrait)->setChecked(true);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    orientation->addStretch();
    auto* page = new QFormLayout;
    page->addRow(qtext(StringId::PrinterPaperLabel), m_paper);
    page->addRow(qtext(StringId::PrinterOrientationLabel), orientation);
    m_optionsBox = new QGroupBox(qtext(StringId::PrinterOptionsTitle), this);
    m_optionsForm = new QFormLayout(m_optionsBox);
    showPapers(m_list->currentRow());
    showOptions(m_list->currentRow());
    connect(m_list, &QListWidget::currentRowChanged, this, &PrinterDialog::showPapers);
    connect(m_list, &QListWidget::currentRowChanged, this, &PrinterDialog::showOptions);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addLayout(page);
    layout->addWidget(m_optionsBox);
    layout->addWidget(buttons);
}

void PrinterDialog::showPapers(int row)
{
    m_paper->clear();
    if (row < 0 || row >= int(m_printers.size()))
        return;
    const DeviceNames& names = m_printers[std::size_t(row)];
    const bool pdf = isPdf(names);
    const QPrinterInfo queue = pdf ? QPrinterInfo() : QPrinterInfo::printerInfo(QString::fromStdString(names.device));
    const QList<QPageSize> sizes = pdf ? filePapers() : queue.supportedPageSizes();
    for (const QPageSize& size : sizes)
        m_paper->addItem(size.name(), size.key());
    // The printer keeps the paper chosen before; a newly chosen one starts on its own default
    // (the locale's paper for a file).
    const bool isCurrent = m_current && (pdf ? isPdf(m_current->names) : m_current->names.device == names.device);
    QString start = isCurrent ? QString::fromStdString(m_current->mode.paperName) : QString();
    if (start.isEmpty())
        start = pdf ? gfx::localePaper().key() : queue.defaultPageSize().key();
    const int index = m_paper->findData(start);
    m_paper->setCurrentIndex(index >= 0 ? index : 0);
    m_paper->setEnabled(m_paper->count() > 0);
}

void PrinterDialog::showOptions(int row)
{
    while (m_optionsForm->rowCount() > 0)
        m_optionsForm->removeRow(0);
    m_options.clear();
    const bool queue = row >= 0 && row < int(m_printers.size()) && !isPdf(m_printers[std::size_t(row)]);
    std::vector<gfx::QueueOption> options;
    if (queue)
        options = gfx::queueOptions(m_printers[std::size_t(row)].device);
    std::stable_sort(options.begin(), options.end(), [](const gfx::QueueOption& a, const gfx::QueueOption& b) {
        return knownRank(a.keyword) < knownRank(b.keyword);
    });
    // The queue keeps the options chosen before; others start on the driver's defaults.
    const bool isCurrent = queue && m_current && m_current->names.device == m_printers[std::size_t(row)].device;
    for (const gfx::QueueOption& option : options) {
        auto* box = new QComboBox(m_optionsBox);
        for (const gfx::QueueChoice& choice : option.choices)
            box->addItem(QString::fromStdString(choice.text), QString::fromStdString(choice.keyword));
        std::string start = option.defaultChoice;
        if (isCurrent)
            if (auto kept = m_current->mode.options.find(option.keyword); kept != m_current->mode.options.end())
                start = kept->second;
        const int index = box->findData(QString::fromStdString(start));
        box->setCurrentIndex(index >= 0 ? index : 0);
        m_optionsForm->addRow(captionOf(option), box);
        m_options.emplace_back(option.keyword, box);
    }
    m_optionsBox->setVisible(!m_options.empty());
}

QComboBox* PrinterDialog::option(const QString& keyword) const
{
    for (const auto& [name, box] : m_options)
        if (QString::fromStdString(name) == keyword)
            return box;
    return nullptr;
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
        applyPage(choice.mode);
        return choice;
    }
    std::optional<PrinterChoice> choice = m_current && m_current->names == names ? m_current
                                                                                : gfx::queuePrinter(names.device);
    if (choice)
        applyPage(choice->mode);
    return choice;
}

void PrinterDialog::applyPage(DeviceMode& mode) const
{
    if (m_paper->currentIndex() >= 0) {
        mode.paperName = m_paper->currentData().toString().toStdString();
        // A file's page follows the chosen paper rather than an exact page set before.
        mode.page.reset();
    }
    mode.orientation = m_landscape->isChecked() ? Orientation::Landscape : Orientation::Portrait;
    // Every option goes with the job as shown, so the queue prints as the dialog said; the
    // chosen resolution also sets the page's measure.
    mode.options.clear();
    for (const auto& [keyword, box] : m_options) {
        const std::string choice = box->currentData().toString().toStdString();
        mode.options[keyword] = choice;
        if (keyword == "Resolution")
            mode.resolution = gfx::resolutionOfChoice(choice);
    }
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
