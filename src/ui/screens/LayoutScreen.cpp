#include "screens/LayoutScreen.h"

#include "dialogs/PrintDialog.h"
#include "frame/CopiesView.h"
#include "gfx/QtImage.h"
#include "layout/LabelSheets.h"
#include "print/Calibration.h"
#include "print/LayoutPagePrint.h"
#include "print/PrintCommand.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/FrameTimer.h"
#include "shell/StringTable.h"
#include "shell/ButtonIds.h"
#include "skin/ListControl.h"
#include "views/LayoutListView.h"
#include "views/PageView.h"

#include <QGuiApplication>

namespace gp::ui {

namespace {

QString qtext(StringId id)
{
    return QString::fromUtf8(text(id).data(), qsizetype(text(id).size()));
}

QRect qrect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

// The buttons that need a photo on the page; Clear Page leaves them disabled.
constexpr int kPhotoButtons[]
    = { button::CropPhoto, button::EditPhoto, button::FramePhoto, button::ClearPage, button::AddText };

} // namespace

LayoutScreen::LayoutScreen(ScreenContext context)
    : FrameScreen(std::move(context), Screen::Layout, button::PageViewArea)
    , m_labelSpec(app().paths().asset(text(StringId::LabelSpecFileName)))
{
    // Without a readable template file My Templates stays empty; the rest of the screen works.
    (void)app().templateStore().open();
    buildWidgets();
    rebuildLayouts();
}

LayoutScreen::~LayoutScreen() = default;

void LayoutScreen::buildWidgets()
{
    const auto& paths = app().paths();
    const std::string ext = skinExtension();
    m_pageView = new PageView(&frame(), app());
    m_layouts = new LayoutListView(&frame(), app());
    for (const ButtonSpec& buttonSpec : framePage(buttonPageOf(Screen::Layout))) {
        const QRect place = qrect(scaled(buttonSpec.rect, mode640())).adjusted(2, 2, -2, -2);
        if (buttonSpec.id == button::PageViewArea)
            m_pageView->setGeometry(place);
        else if (buttonSpec.id == button::LayoutListArea)
            m_layouts->setGeometry(place);
    }
    QObject::connect(
        m_pageView, &PageView::filesDropped, m_pageView, [this](const QStringList& files) { openFiles(files); });
    QObject::connect(m_pageView, &PageView::pageChanged, m_pageView, [this] { pageChanged(); });
    QObject::connect(m_pageView, &PageView::photosWanted, m_pageView,
        [this] { app().screens().switchTo(Screen::GetPhotos, emptyTemplates()); });
    QObject::connect(m_layouts, &LayoutListView::layoutChosen, m_layouts, [this] { pageChanged(); });

    m_categories
        = new ListControl(&frame(), 1, paths.asset("ui/Listbtn" + ext), paths.asset("ui/layoutlistlogo" + ext));
    m_categories->setGeometry(qrect(scaled(kCategoryListRect, mode640())));
    // My Templates, Free Style, the four photo categories, then the label families of lblspec.ini.
    for (LayoutCategory fixed : fixedCategoryList())
        m_categories->addString(qtext(categoryTitle(fixed)));
    for (const LabelPrefix& prefix : readLabelPrefixes(m_labelSpec))
        m_categories->addString(QString::fromStdString(prefix.displayName));
    const auto& fixed = fixedCategoryList();
    m_categories->setSelectedIndex(int(std::find(fixed.begin(), fixed.end(), kDefaultCategory) - fixed.begin()));
    QObject::connect(m_categories, &ListControl::selectionChanged, m_categories, [this] { chooseCategory(); });

    m_copies = new CopiesView(&frame(), paths.asset("ui/copies" + ext));
    m_copies->setGeometry(qrect(scaled(kCopiesRect, mode640())));
    m_copies->setCount(app().copies().value());

    m_templateBar = new ButtonBar(&frame(), paths.asset("ui/auxbar" + ext), { recordsOf(auxiliaryPage(0)) },
        paths.asset("ui/templatelogo" + ext));
    m_templateBar->setGeometry(qrect(scaled(kTemplateBarRect, mode640())));
    m_templateBar->switchPage(0);
    m_optionBar = new ButtonBar(&frame(), paths.asset("ui/auxbar" + ext), { {}, recordsOf(auxiliaryPage(1)) },
        paths.asset("ui/sliderlogo" + ext));
    m_optionBar->setGeometry(qrect(scaled(kOptionBarRect, mode640())));
    m_optionBar->switchPage(1);
    m_optionBar->setSliderPosition(button::PhotoSize, 100);
    for (ButtonBar* auxiliary : { m_templateBar, m_optionBar })
        QObject::connect(auxiliary, &ButtonBar::helpRequested, auxiliary, [this](int) { runCommand(command::KeyF1); });
}

void LayoutScreen::bindButtons()
{
    onButton(button::ClearPage, [this] { clearPage(); });
    const std::pair<int, Screen> switches[] = { { button::GetPhotos, Screen::GetPhotos },
        { button::CropPhoto, Screen::Crop }, { button::EditPhoto, Screen::Edit }, { button::FramePhoto, Screen::Frame },
        { button::AddText, Screen::Text } };
    for (const auto& [id, screen] : switches)
        onButton(id, [this, screen = screen] { app().screens().switchTo(screen, emptyTemplates()); });
    onButton(button::Layouts, [this] { m_categories->setVisible(!m_categories->isVisible()); });
    onButton(button::MoreCopies, [this] {
        if (!app().copies().increment())
            app().host().beep();
        m_copies->setCount(app().copies().value());
    });
    onButton(button::FewerCopies, [this] {
        if (!app().copies().decrement())
            app().host().beep();
        m_copies->setCount(app().copies().value());
    });
    onButton(button::PrinterSetup, [this] {
        runCommand(command::PrinterSetup);
        m_pageView->update();
    });
    onButton(button::PrintPage, [this] { printPage(); });
    // Previous and next row of the layout list; Free Style has none, and either end beeps.
    for (const auto& [id, rows] : { std::pair(button::PreviousLayout, -1), std::pair(button::NextLayout, 1) })
        onButton(id, [this, rows = rows] {
            if (app().layoutList().category == LayoutCategory::FreeStyle || !m_layouts->scrollRows(rows))
                app().host().beep();
        });
    for (int id : { button::AddTemplate, button::NewTemplate, button::EditTemplate })
        for (ButtonRecord& record : m_templateBar->records())
            if (record.id == id)
                record.handler = [this](const ButtonEvent& event) {
                    if (event.phase == -1)
                        app().screens().switchTo(Screen::TemplateEdit);
                };
    // The Photo Size slider: the part of each cell, 1..100 %, that its photo may use.
    for (ButtonRecord& record : m_optionBar->records())
        if (record.id == button::PhotoSize)
            record.handler = [this](const ButtonEvent& event) {
                if (event.phase != -1)
                    return;
                app().layoutPage().setPercent((event.argument >> 16) & 0xFFFF);
                m_pageView->update();
            };
}

void LayoutScreen::disablePhotoButtons()
{
    for (int id : kPhotoButtons)
        bar().disable(id);
}

void LayoutScreen::registerCommands()
{
    onCommand(command::Print, [this] {
        printPhoto();
        return command::ResultNone;
    });
    onCommand(command::PrinterSetup, [this] {
        printerSetup();
        return command::ResultNone;
    });
    // The clipboard keys act on the current cell: its photo and text list.
    onKey(command::KeyCut, [this] { return cellOperation(&LayoutPage::cutCell); });
    onKey(command::KeyCopy, [this] { return cellOperation(&LayoutPage::copyCell); });
    onKey(command::KeyPaste, [this] { return cellOperation(&LayoutPage::pasteCell); });
    // The current cell's photo leaves the page, and its document closes when no cell shows it.
    onKey(command::KeyDelete, [this] { return cellOperation(&LayoutPage::deleteCell); });
    onKey(command::KeyRotate, [this] {
        rotatePhoto();
        return command::ResultNone;
    });
    onKey(command::KeyPrint, [this] {
        printPage();
        return command::ResultNone;
    });
}

int LayoutScreen::cellOperation(std::shared_ptr<Image> (LayoutPage::*operation)(int))
{
    LayoutPage& page = app().layoutPage();
    closeDropped((page.*operation)(page.currentCell()));
    m_pageView->refresh();
    tick();
    return command::ResultNone;
}

void LayoutScreen::rotatePhoto()
{
    LayoutPage& page = app().layoutPage();
    const int cell = page.currentCell();
    const auto gone = page.rotatePhoto(cell, app().allocator());
    if (!gone)
        return;
    // The document of a photo that no cell shows any more shows the turned one instead, so the
    // photo list keeps its photo. Its selection and its undo step belonged to the unturned one.
    if (*gone)
        if (Document* document = app().documents().findByImage(gone->get())) {
            document->replaceImage(page.photo(cell));
            DocumentState& state = document->state();
            state.mask.reset();
            state.floating.reset();
            state.selection = {};
            state.selectionShown = false;
            state.modified = true;
            app().undoRecord().drop(document);
        }
    m_pageView->refresh();
}

void LayoutScreen::clearPage()
{
    if (emptyTemplates())
        return;
    app().screens().switchTo(Screen::Layout);
    // Photos that leave the page close with it.
    runCommand(command::CloseAll);
    app().layoutPage().clear();
    m_pageView->refresh();
    disablePhotoButtons();
}

void LayoutScreen::setShown(bool shown)
{
    for (QWidget* widget : { static_cast<QWidget*>(m_pageView), static_cast<QWidget*>(m_categories),
             static_cast<QWidget*>(m_copies), static_cast<QWidget*>(m_optionBar) })
        if (widget)
            widget->setVisible(shown);
    m_layouts->setVisible(shown && app().layoutList().category != LayoutCategory::FreeStyle);
    if (m_templateBar)
        m_templateBar->setVisible(shown && category() == kCategoryMyTemplates);
}

void LayoutScreen::photosChanged()
{
    m_pageView->update();
}

void LayoutScreen::deleteBars()
{
    delete m_templateBar;
    delete m_optionBar;
    m_templateBar = m_optionBar = nullptr;
}

void LayoutScreen::openFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        app().currentName() = path.left(260).toStdString();
        runCommand(command::OpenNamed);
    }
    m_pageView->update();
}

int LayoutScreen::category() const
{
    const auto& fixed = fixedCategoryList();
    const int index = m_categories->selectedIndex();
    if (index >= int(fixed.size()))
        return kCategoryAveryLabels;
    return int(categoryTitle(index >= 0 ? fixed[std::size_t(index)] : kDefaultCategory));
}

bool LayoutScreen::emptyTemplates() const
{
    return isEmptyTemplatesState(category(), app().layoutList().entries > 0);
}

void LayoutScreen::chooseCategory()
{
    const auto& fixed = fixedCategoryList();
    const int index = std::max(m_categories->selectedIndex(), 0);
    LayoutList& list = app().layoutList();
    const bool labels = index >= int(fixed.size());
    list.category = labels ? LayoutCategory::Labels : fixed[std::size_t(index)];
    list.prefix = labels ? index - int(fixed.size()) : 0;
    list.oneSize = false;
    list.selected = 0;
    closeDropped(app().layoutPage().clearClipboard());
    rebuildLayouts();
    tick();
}

void LayoutScreen::rebuildLayouts()
{
    LayoutList& list = app().layoutList();
    app().printer().setWholeInchPage(list.category == LayoutCategory::MyTemplates);
    buildLayoutList(list, { &m_labelSpec, &app().templateStore() }, app().printer().geometry());
    m_layouts->reload();
    m_layouts->setVisible(app().screens().current() == Screen::Layout && list.category != LayoutCategory::FreeStyle);
    m_pageView->update();
}

bool LayoutScreen::printPage()
{
    const LayoutList& list = app().layoutList();
    if (emptyTemplates())
        return false;
    const LayoutPrintJob job { &app().layoutPage(), &list, list.selected, m_pageView->printableRect() };
    const bool printed = printLayoutPage(app().printer(), app().host(), app().settingsFile(), job);
    // Opening the printer measured its page again.
    rebuildLayouts();
    return printed;
}

void LayoutScreen::printerSetup()
{
    if (app().printer().printerSetup(app().host())) {
        // The new printer's page: measured from a context that prints nothing.
        (void)app().printer().openContext();
        rebuildLayouts();
    }
    m_pageView->update();
}

void LayoutScreen::printPhoto()
{
    if (m_printingPhoto)
        return;
    const Document* document = app().activeDocument();
    if (!document) {
        app().host().beep();
        return;
    }
    // The dialog reads the printer's resolution and printable size from a context of its own.
    PrinterState& printer = app().printer();
    (void)printer.openContext();
    const PageGeometry& page = printer.geometry();
    const Image& photo = document->image();
    m_printModel.open({ photo.width(), photo.height() }, photo.xPelsPerMeter(), page.dpiX,
        { page.printableWidth, page.printableHeight });
    QString printerName;
    if (const auto& choice = printer.selection().choice())
        printerName = QString::fromStdString(choice->names.device) + qtext(StringId::PrinterOnPort)
            + QString::fromStdString(choice->names.port);
    PrintDialog dialog(&frame(), m_printModel, gfx::toQImage(photo), printerName,
        QString::fromStdString(document->title()), QString::fromStdString(app().decimalSeparator()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_printingPhoto = true;
    const CalibrationTables tables = loadCalibration(app().paths().asset(text(StringId::PrintCalibrationFile)));
    const PrintCommandInput input { &photo, document->title(), app().settings().printCalFlag ? &tables : nullptr };
    runPrintCommand(printer, app().host(), app().allocator(), input, m_printModel);
    m_printingPhoto = false;
    rebuildLayouts();
}

void LayoutScreen::pageChanged()
{
    m_pageView->update();
    tick();
}

void LayoutScreen::closeDropped(const std::shared_ptr<Image>& photo)
{
    if (photo)
        if (Document* document = app().documents().findByImage(photo.get()))
            app().documents().close(*document);
}

void LayoutScreen::tick()
{
    FrameTimerInput in;
    in.screen = Screen::Layout;
    in.category = category();
    in.pageHasTemplate = app().layoutList().entries > 0;
    const bool photos = app().documents().count() > 0;
    const bool pageHasPhotos = !app().layoutPage().isEmpty();
    in.photoListEmpty = !photos;
    in.anyCellHasPhoto = pageHasPhotos;
    in.currentCellCanPrint = pageHasPhotos;
    in.highlighted = bar().highlightedId();
    in.helpPending = bar().helpPending;
    in.leftButtonDown = QGuiApplication::mouseButtons() & Qt::LeftButton;
    const ButtonUpdate update = frameTimerTick(in);
    for (int id : update.enable)
        bar().enable(id);
    for (int id : update.disable)
        bar().disable(id);
    if (update.flash)
        bar().flash(update.flash);
    if (m_templateBar) {
        for (int id : update.enableTemplateBar)
            m_templateBar->enable(id);
        for (int id : update.disableTemplateBar)
            m_templateBar->disable(id);
        m_templateBar->setVisible(in.category == kCategoryMyTemplates);
        if (update.flashTemplateBar)
            m_templateBar->flash(update.flashTemplateBar);
    }
    m_pageView->update();
}

} // namespace gp::ui
