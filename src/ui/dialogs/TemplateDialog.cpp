#include "dialogs/TemplateDialog.h"

#include "codecs/ReadImageFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/EditCalendarDialog.h"
#include "dialogs/EditTextDialog.h"
#include "dialogs/HelpTopics.h"
#include "dialogs/HelpViewer.h"
#include "dialogs/TemplateBackgroundDialog.h"
#include "dialogs/TemplatePreview.h"
#include "gfx/QtImage.h"
#include "layout/BackgroundCatalog.h"
#include "print/MattePagePrint.h"
#include "app/App.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <ctime>

namespace gp::ui {

namespace {

// The frame the preview is fitted into, and the margin kept inside it.
constexpr QSize kFrameSize { 380, 440 };
constexpr int kFrameInset = 4;

BackgroundCatalog readCatalogue(App& app)
{
    return BackgroundCatalog::read(ProfileFile(app.paths().asset(text(StringId::BackgroundCatalogFileName))));
}

} // namespace

TemplateDialog::TemplateDialog(QWidget* parent, App& app, TemplateState& state, std::function<void()> openPhoto)
    : QDialog(parent)
    , m_app(&app)
    , m_state(&state)
    , m_openPhoto(std::move(openPhoto))
    , m_frameArea(new QWidget(this))
    , m_preview(new TemplatePreview(m_frameArea, state.page))
    , m_kind(new QComboBox(this))
    , m_size(new QScrollBar(Qt::Horizontal, this))
    , m_portrait(new QRadioButton(tableText(StringId::TemplatePortrait), this))
    , m_landscape(new QRadioButton(tableText(StringId::TemplateLandscape), this))
    , m_frame(new QCheckBox(tableText(StringId::TemplateDrawFrame), this))
    , m_copies(new QSpinBox(this))
    , m_output(new QLabel(this))
    , m_sizeText(new QLabel(this))
    , m_print(new QPushButton(tableText(StringId::TemplatePrintButton), this))
{
    setWindowTitle(tableText(StringId::TemplateDialogTitle));
    MattePage& page = state.page;
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    page.startCalendar(local->tm_year + 1900, local->tm_mon);

    m_frameArea->setFixedSize(kFrameSize);
    m_frameArea->setAutoFillBackground(true);
    m_frameArea->setBackgroundRole(QPalette::Dark);
    m_kind->addItem(tableText(StringId::MatteKind));
    m_kind->addItem(tableText(StringId::CalendarKind));
    m_kind->setCurrentIndex(int(page.kind));
    m_size->setRange(5, 100);
    m_size->setPageStep(10);
    m_size->setValue(page.photoPercent);
    (page.landscape ? m_landscape : m_portrait)->setChecked(true);
    auto* orientation = new QButtonGroup(this);
    orientation->addButton(m_portrait);
    orientation->addButton(m_landscape);
    m_frame->setChecked(page.drawFrame);
    m_copies->setRange(1, 99);
    m_copies->setValue(1);

    auto* form = new QFormLayout;
    form->addRow(tableText(StringId::TemplateKindLabel), m_kind);
    form->addRow(tableText(StringId::TemplatePhotoSizeLabel), m_size);
    form->addRow(m_output);
    form->addRow(m_sizeText);
    auto* orientationRow = new QHBoxLayout;
    orientationRow->addWidget(m_portrait);
    orientationRow->addWidget(m_landscape);
    form->addRow(tableText(StringId::TemplateOrientationLabel), orientationRow);
    form->addRow(m_frame);
    form->addRow(tableText(StringId::TemplateCopiesLabel), m_copies);
    form->addRow(m_print);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close | QDialogButtonBox::Help, this);
    auto* side = new QVBoxLayout;
    side->addLayout(form);
    side->addStretch();
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_frameArea);
    layout->addLayout(side);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
        [this] { HelpViewer::show(this, QString::fromStdString(m_app->paths().asset("help").string()), help::templateTopic()); });
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_state->page.kind = index == 1 ? MatteKind::Calendar : MatteKind::Matte;
        m_preview->fitTextWindows();
        loadBackground();
    });
    connect(m_size, &QScrollBar::valueChanged, this, [this](int value) {
        m_state->page.photoPercent = value;
        fitPhoto();
    });
    connect(m_landscape, &QRadioButton::toggled, this, [this](bool landscape) {
        if (landscape == m_state->page.landscape)
            return;
        m_state->page.landscape = landscape;
        layoutPreview(true);
    });
    connect(m_frame, &QCheckBox::toggled, this, [this](bool on) {
        m_state->page.drawFrame = on;
        m_preview->update();
    });
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    connect(m_preview, &TemplatePreview::itemDoubleClicked, this,
        [this](TemplatePreview::Item item) { editItem(int(item)); });
    connect(m_preview, &TemplatePreview::photoMoved, this, &TemplateDialog::showReadouts);

    layoutPreview(false);
}

void TemplateDialog::layoutPreview(bool replace)
{
    MattePage& page = m_state->page;
    PrinterState& printer = m_app->printer();
    printer.selection().setOrientationOverride(
        page.landscape ? OrientationOverride::Landscape : OrientationOverride::Portrait);
    (void)printer.openContext();
    printer.selection().setOrientationOverride(OrientationOverride::None);
    const PageGeometry& geometry = printer.geometry();
    const int pw = std::max(geometry.printableWidth, 1), ph = std::max(geometry.printableHeight, 1);

    // The page's proportions inside the frame, centred in the free direction.
    const int room = kFrameSize.width() - 2 * kFrameInset, roomHeight = kFrameSize.height() - 2 * kFrameInset;
    Size size { room, int(static_cast<long long>(room) * ph / pw) };
    if (size.height > roomHeight)
        size = { int(static_cast<long long>(roomHeight) * pw / ph), roomHeight };
    size = { std::max(size.width, 1), std::max(size.height, 1) };
    m_preview->setGeometry(
        (kFrameSize.width() - size.width) / 2, (kFrameSize.height() - size.height) / 2, size.width, size.height);
    page.previewScale = previewTextScale(size.width, geometry.dpiX, pw);
    if (replace || page.photoRect.isEmpty() || m_state->placedIn != size) {
        placeItems(page, size);
        m_state->placedIn = size;
    }
    m_preview->fitTextWindows();
    if (const Document* document = m_app->activeDocument())
        m_preview->setPhoto(gfx::toQImage(document->image()));
    fitPhoto();
    loadBackground();
}

void TemplateDialog::fitPhoto()
{
    const Document* document = m_app->activeDocument();
    if (!document)
        return;
    MattePage& page = m_state->page;
    const Image& photo = document->image();
    page.photoRect
        = fitPhotoWindow(page.photoRect, m_state->placedIn, { photo.width(), photo.height() }, page.photoPercent);
    showReadouts();
    m_preview->update();
}

void TemplateDialog::showReadouts()
{
    const Document* document = m_app->activeDocument();
    const MattePage& page = m_state->page;
    if (!document)
        return;
    m_output->setText(toQString(formatText(
        StringId::OutputDpi, outputDpi(document->image().width(), page.previewScale, page.photoRect.width()))));
    auto inches = [&](int pixels) {
        return toQString(m_app->formatDecimal(pixels * 10.0 / std::max(page.previewScale, 1), 1))
            + tableText(StringId::InfoInchSuffix);
    };
    m_sizeText->setText(tableText(StringId::TemplateWidth) + inches(page.photoRect.width()) + QStringLiteral("  ")
        + tableText(StringId::TemplateHeight) + inches(page.photoRect.height()));
}

void TemplateDialog::loadBackground()
{
    const MattePage& page = m_state->page;
    m_background.reset();
    if (page.backgroundKind >= 2) {
        const BackgroundCatalog catalogue = readCatalogue(*m_app);
        if (const BackgroundEntry* entry = catalogue.entryAt(page.backgroundKind)) {
            const std::string& file = page.landscape ? entry->landscapeFile : entry->portraitFile;
            ReadResult read = readImageFile(m_app->imageFiles(), m_app->paths().asset(file).string());
            if (read.ok())
                m_background = std::move(read.image);
        }
    }
    m_preview->setBackground(m_background ? gfx::toQImage(*m_background) : QImage());
}

void TemplateDialog::editItem(int item)
{
    MattePage& page = m_state->page;
    switch (TemplatePreview::Item(item)) {
    case TemplatePreview::Item::Upper: {
        EditTextDialog dialog(this, page.upper);
        dialog.exec();
        break;
    }
    case TemplatePreview::Item::Lower:
        if (page.kind == MatteKind::Calendar) {
            EditCalendarDialog dialog(this, page);
            dialog.exec();
        } else {
            EditTextDialog dialog(this, page.lower);
            dialog.exec();
        }
        break;
    case TemplatePreview::Item::Photo:
        m_openPhoto();
        if (const Document* document = m_app->activeDocument())
            m_preview->setPhoto(gfx::toQImage(document->image()));
        fitPhoto();
        return;
    case TemplatePreview::Item::None: {
        TemplateBackgroundDialog dialog(this, page, readCatalogue(*m_app).listNames());
        if (dialog.exec() == QDialog::Accepted)
            loadBackground();
        return;
    }
    }
    m_preview->fitTextWindows();
}

bool TemplateDialog::print()
{
    const Document* document = m_app->activeDocument();
    if (!document) {
        m_app->host().beep();
        return false;
    }
    PrinterState& printer = m_app->printer();
    const int copies = printer.selection().copies();
    printer.selection().setCopies(m_copies->value());
    const MattePrintJob job { &m_state->page, &document->image(), m_background ? &*m_background : nullptr,
        m_state->placedIn };
    const bool printed = printMattePage(printer, m_app->host(), job);
    printer.selection().setCopies(copies);
    return printed;
}

} // namespace gp::ui
