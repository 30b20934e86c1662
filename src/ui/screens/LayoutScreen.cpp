#include "screens/LayoutScreen.h"

#include "app/WorkflowActions.h"

#include "dialogs/HelpTopics.h"
#include "dialogs/HelpViewer.h"
#include "dialogs/PrintDialog.h"
#include "frame/CopiesView.h"
#include "gfx/QtImage.h"
#include "layout/CellReadout.h"
#include "layout/FreeStyleEditing.h"
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
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

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
    QObject::connect(m_layouts, &LayoutListView::layoutChosen, m_layouts, [this] {
        showCategoryParts();
        pageChanged();
    });

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
    // In Free Style the grid bar takes the slider bar's place: it lays a grid over the page.
    m_gridBar = new QWidget(&frame());
    m_gridBar->setGeometry(qrect(scaled(kOptionBarRect, mode640())));
    auto* gridLayout = new QHBoxLayout(m_gridBar);
    auto* gridButton = new QToolButton(m_gridBar);
    gridButton->setText(qtext(StringId::GridBarLabel));
    gridButton->setCheckable(true);
    gridButton->setObjectName(QStringLiteral("gridButton"));
    gridLayout->addWidget(gridButton);
    QObject::connect(gridButton, &QToolButton::toggled, m_pageView, &PageView::setGridShown);
    m_gridBar->hide();
    // The cell size of a label sheet or one-size grid, where the My Templates bar would stand.
    m_sizeText = new QLabel(&frame());
    m_sizeText->setGeometry(qrect(scaled(kTemplateBarRect, mode640())));
    m_sizeText->setAlignment(Qt::AlignCenter);
    m_sizeText->hide();

    m_pageView->rotatePhoto = [this](int slot) { return rotatePhoto(slot); };
    m_pageView->showHelp = [this](int topic) { showHelpTopic(topic); };
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
        onButton(id, [this, screen = screen] {
            // Crop and Frame need a photo to work on: without one they beep and do not open.
            if ((screen == Screen::Crop || screen == Screen::Frame) && !workflowPhoto(app())) {
                app().host().beep();
                return;
            }
            app().screens().switchTo(screen, emptyTemplates());
        });
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
    // Add and New start a new template; Edit opens the selected one (none: a new one).
    for (int id : { button::AddTemplate, button::NewTemplate, button::EditTemplate })
        for (ButtonRecord& record : m_templateBar->records())
            if (record.id == id)
                record.handler = [this, id](const ButtonEvent& event) {
                    if (event.phase != -1 || !editTemplate)
                        return;
                    const LayoutList& list = app().layoutList();
                    editTemplate(id == button::EditTemplate && list.entries > 0 ? list.selected : -1);
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
    // The clipboard keys act on the current cell (its photo and text list), or on the free-style
    // page's selected object.
    auto freeStyle = [this] { return app().layoutList().category == LayoutCategory::FreeStyle; };
    onKey(command::KeyCut, [this, freeStyle] {
        return freeStyle() ? objectOperation(&cutSelectedObject) : cellOperation(&LayoutPage::cutCell);
    });
    onKey(command::KeyCopy, [this, freeStyle] {
        return freeStyle() ? objectOperation(&copySelectedObject) : cellOperation(&LayoutPage::copyCell);
    });
    onKey(command::KeyPaste, [this, freeStyle] {
        if (!freeStyle())
            return cellOperation(&LayoutPage::pasteCell);
        pasteObject();
        return command::ResultNone;
    });
    // The current cell's photo leaves the page, and its document closes when no cell shows it.
    onKey(command::KeyDelete, [this, freeStyle] {
        return freeStyle() ? objectOperation(&deleteSelectedObject) : cellOperation(&LayoutPage::deleteCell);
    });
    onKey(command::KeyRotate, [this] {
        rotateSelected();
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

int LayoutScreen::objectOperation(std::shared_ptr<Image> (*operation)(LayoutPage&))
{
    closeDropped(operation(app().layoutPage()));
    m_pageView->refresh();
    tick();
    return command::ResultNone;
}

void LayoutScreen::pasteObject()
{
    // With no menu point the copy goes where its original stood.
    LayoutPage& page = app().layoutPage();
    const FreeStyleState& state = page.freeStyle();
    const bool photo = state.lastCopied == ObjectKind::Photo || !state.textClipboard;
    Point at { m_pageView->printableRect().left, m_pageView->printableRect().top };
    if (photo && state.photoClipboard)
        at = { state.photoClipboard->rect.left, state.photoClipboard->rect.top };
    else if (!photo && state.textClipboard)
        at = { textObjectRect(page.freeStyleTexts(), *state.textClipboard, m_pageView->printableRect()).left,
            textObjectRect(page.freeStyleTexts(), *state.textClipboard, m_pageView->printableRect()).top };
    if (!gp::pasteObject(page, at, m_pageView->printableRect()))
        app().host().beep();
    m_pageView->refresh();
    tick();
}

void LayoutScreen::rotateSelected()
{
    LayoutPage& page = app().layoutPage();
    if (app().layoutList().category != LayoutCategory::FreeStyle) {
        rotatePhoto(page.currentCell());
        return;
    }
    const FreeStyleState& state = page.freeStyle();
    if (state.lastSelected != ObjectKind::Photo || state.selectedPhoto < 0
        || std::size_t(state.selectedPhoto) >= page.photoObjects().size())
        return;
    PhotoObject& object = page.photoObjects()[std::size_t(state.selectedPhoto)];
    // Nothing happens when the turned rectangle cannot fit the printable area.
    const auto turned = rotatedObjectRect(object.rect, m_pageView->printableRect());
    if (turned && rotatePhoto(object.slot))
        object.rect = *turned;
    m_pageView->refresh();
}

bool LayoutScreen::rotatePhoto(int cell)
{
    LayoutPage& page = app().layoutPage();
    const auto gone = page.rotatePhoto(cell, app().allocator());
    if (!gone)
        return false;
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
    return true;
}

void LayoutScreen::placeNewPhotos()
{
    LayoutPage& page = app().layoutPage();
    const Document* active = app().activeDocument();
    if (!active)
        return;
    // The photo just opened went into the current cell's slot, which was chosen to be one no
    // object shows; it becomes an object of its own.
    for (int slot = 0; slot < LayoutPage::kSlots; ++slot) {
        if (page.photo(slot) != active->state().image)
            continue;
        const auto& objects = page.photoObjects();
        const bool shown = std::any_of(
            objects.begin(), objects.end(), [slot](const PhotoObject& object) { return object.slot == slot; });
        if (!shown && !addPhotoObjectFor(page, slot, m_pageView->viewPage()))
            app().host().beep();
        break;
    }
    if (const int next = slotForNewObject(page); next >= 0)
        page.setCurrentCell(next);
}

void LayoutScreen::showHelpTopic(int topic)
{
    HelpViewer::show(&frame(), assetPath("help"), help::contextTopic(topic));
}

void LayoutScreen::enter()
{
    // Back from the template editor the list shows the templates as saved.
    rebuildLayouts();
}

void LayoutScreen::showCategoryParts()
{
    const bool shown = app().screens().current() == Screen::Layout;
    const LayoutList& list = app().layoutList();
    const bool freeStyle = list.category == LayoutCategory::FreeStyle;
    if (m_optionBar)
        m_optionBar->setVisible(shown && !freeStyle);
    m_gridBar->setVisible(shown && freeStyle);
    const bool sheets = list.usesSheets() && list.selected >= 0 && std::size_t(list.selected) < list.sheets.size();
    if (sheets)
        m_sizeText->setText(QString::fromStdString(sheetSizeText(list.sheets[std::size_t(list.selected)],
            app().printer().geometry(), readSizeUnit(app().settingsFile()))));
    m_sizeText->setVisible(shown && sheets);
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
             static_cast<QWidget*>(m_copies) })
        if (widget)
            widget->setVisible(shown);
    m_layouts->setVisible(shown && app().layoutList().category != LayoutCategory::FreeStyle);
    if (m_templateBar)
        m_templateBar->setVisible(shown && category() == kCategoryMyTemplates);
    showCategoryParts();
}

void LayoutScreen::photosChanged()
{
    if (app().layoutList().category == LayoutCategory::FreeStyle)
        placeNewPhotos();
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
    closeDropped(app().layoutPage().clearFreeStyleClipboards());
    // Photos opened on the free-style page go to slots no object shows.
    if (list.category == LayoutCategory::FreeStyle)
        if (const int slot = slotForNewObject(app().layoutPage()); slot >= 0)
            app().layoutPage().setCurrentCell(slot);
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
    showCategoryParts();
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
