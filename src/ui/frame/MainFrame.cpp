#include "frame/MainFrame.h"

#include "codecs/OpenPhoto.h"
#include "dialogs/HelpViewer.h"
#include "dialogs/ImageInfoDialog.h"
#include "dialogs/PrintDialog.h"
#include "dialogs/TemplateCommand.h"
#include "frame/ButtonHints.h"
#include "frame/CommandMenu.h"
#include "frame/CopiesView.h"
#include "frame/HelpKeyHook.h"
#include "frame/ScannerEventFilter.h"
#include "gfx/QtImage.h"
#include "image/Zoom.h"
#include "layout/LabelSheets.h"
#include "print/Calibration.h"
#include "print/LayoutPagePrint.h"
#include "print/PrintCommand.h"
#include "shell/App.h"
#include "shell/CommandIds.h"
#include "shell/FrameTimer.h"
#include "shell/Host.h"
#include "shell/StringTable.h"
#include "skin/ButtonBar.h"
#include "skin/ListControl.h"
#include "skin/PopupText.h"
#include "skin/SkinBitmap.h"
#include "skin/SuperStatic.h"
#include "views/FullScreenView.h"
#include "views/LayoutListView.h"
#include "views/PageView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QShortcut>
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

} // namespace

bool use640Mode(QSize screen)
{
    return (screen.width() >= 640 && screen.width() < 800) || (screen.height() >= 480 && screen.height() < 600);
}

MainFrame::MainFrame(App& app, bool mode640, int screenDepth)
    : m_app(&app)
    , m_mode640(mode640)
    , m_labelSpec(app.paths().asset(text(StringId::LabelSpecFileName)))
{
    setWindowTitle(qtext(StringId::ProductName));
    setFixedSize(scaled(kFrameWidth, mode640), scaled(kFrameHeight, mode640));
    m_display.screenDepth = screenDepth;
    m_display.gamma = &app.gammaTables();
    // Palette screens dither through a table built once.
    if (screenDepth <= 8) {
        m_dither.emplace(app.gammaTables());
        m_display.dither = &*m_dither;
    }

    // Without a readable template file My Templates stays empty; the rest of the screen works.
    (void)app.templateStore().open();
    buildBars();
    bindButtons();
    registerCommands();
    layoutPanes();
    rebuildLayouts();

    for (const Accelerator& accelerator : accelerators()) {
        auto* shortcut = new QShortcut(accelerator.keys, this);
        const int id = accelerator.command;
        connect(shortcut, &QShortcut::activated, this, [this, id] { runCommand(id); });
    }
    app.screens().onSwitch = [this](Screen from, Screen to) { switchScreen(from, to); };
    app.screens().switchTo(Screen::Layout);
    for (int id : { 8, 9, 10, 6, 100 })
        m_bar->disable(id);

    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &MainFrame::timerTick);
    m_timer.start();

    // The scanner's dialogs belong to the frame, and its news passes through the message loop.
    app.acquisition().setParentWindow(this);
    m_scannerFilter = std::make_unique<ScannerEventFilter>(app.acquisition());
    m_helpKey = std::make_unique<HelpKeyHook>([this] { runCommand(command::KeyF1); });
}

MainFrame::~MainFrame()
{
    m_app->screens().onSwitch = nullptr;
}

FullScreenView* MainFrame::fullScreenView() const
{
    return m_fullScreen;
}

QString MainFrame::assetPath(const std::string& name) const
{
    return QString::fromStdString(m_app->paths().asset(name).string());
}

void MainFrame::buildBars()
{
    const auto& paths = m_app->paths();
    std::vector<std::vector<ButtonRecord>> pages;
    for (int page = 0; page < kFramePages; ++page) {
        pages.push_back(recordsOf(framePage(page)));
        for (ButtonRecord& record : pages.back())
            record.rect = scaled(record.rect, m_mode640);
    }
    m_bar = new ButtonBar(this, paths.asset("ui/button" + ext()), std::move(pages));
    m_bar->setGeometry(rect());
    m_bar->contextMenu = [this](QPoint at) { showCommandMenu(at); };
    connect(m_bar, &ButtonBar::hoverChanged, this, &MainFrame::showButtonHint);

    m_pageView = new PageView(this, *m_app);
    m_layouts = new LayoutListView(this, *m_app);
    for (const ButtonSpec& buttonSpec : framePage(0)) {
        const QRect area = qrect(scaled(buttonSpec.rect, m_mode640)).adjusted(2, 2, -2, -2);
        if (buttonSpec.id == 102)
            m_pageView->setGeometry(area);
        else if (buttonSpec.id == 103)
            m_layouts->setGeometry(area);
    }
    connect(m_pageView, &PageView::filesDropped, this, &MainFrame::openFiles);
    connect(m_pageView, &PageView::pageChanged, this, &MainFrame::pageChanged);
    connect(m_pageView, &PageView::photosWanted, this, [this] {
        m_app->screens().switchTo(
            Screen::GetPhotos, isEmptyTemplatesState(category(), m_app->layoutList().entries > 0));
    });
    connect(m_layouts, &LayoutListView::layoutChosen, this, &MainFrame::pageChanged);

    m_screenPanel = new QLabel(this);
    m_screenPanel->setGeometry(m_pageView->geometry());
    static_cast<QLabel*>(m_screenPanel)->setAlignment(Qt::AlignCenter);

    m_categories
        = new ListControl(this, 1, paths.asset("ui/Listbtn" + ext()), paths.asset("ui/layoutlistlogo" + ext()));
    m_categories->setGeometry(qrect(scaled(kCategoryListRect, m_mode640)));
    // My Templates, Free Style, the four photo categories, then the label families of lblspec.ini.
    for (LayoutCategory fixed : fixedCategoryList())
        m_categories->addString(qtext(categoryTitle(fixed)));
    for (const LabelPrefix& prefix : readLabelPrefixes(m_labelSpec))
        m_categories->addString(QString::fromStdString(prefix.displayName));
    const auto& fixed = fixedCategoryList();
    m_categories->setSelectedIndex(int(std::find(fixed.begin(), fixed.end(), kDefaultCategory) - fixed.begin()));
    connect(m_categories, &ListControl::selectionChanged, this, &MainFrame::chooseCategory);

    m_copies = new CopiesView(this, paths.asset("ui/copies" + ext()));
    m_copies->setGeometry(qrect(scaled(kCopiesRect, m_mode640)));
    m_copies->setCount(m_app->copies().value());

    m_templateBar = new ButtonBar(this, paths.asset("ui/auxbar" + ext()), { recordsOf(auxiliaryPage(0)) },
        paths.asset("ui/templatelogo" + ext()));
    m_templateBar->setGeometry(qrect(scaled(kTemplateBarRect, m_mode640)));
    m_templateBar->switchPage(0);
    m_optionBar = new ButtonBar(this, paths.asset("ui/auxbar" + ext()), { {}, recordsOf(auxiliaryPage(1)) },
        paths.asset("ui/sliderlogo" + ext()));
    m_optionBar->setGeometry(qrect(scaled(kOptionBarRect, m_mode640)));
    m_optionBar->switchPage(1);
    m_optionBar->setSliderPosition(360, 100);
    for (ButtonBar* bar : { m_templateBar, m_optionBar })
        connect(bar, &ButtonBar::helpRequested, this, [this](int) { showHelp(0); });

    m_statusBar = new QWidget(this);
    for (auto& pane : m_panes)
        pane = new SuperStatic(m_statusBar);
    m_toolsBar = new QWidget(this);
    m_toolsBar->setAutoFillBackground(true);
    auto* tools = new QHBoxLayout(m_toolsBar);
    tools->setContentsMargins(4, 2, 4, 2);
    const std::pair<int, StringId> toolCommands[] = { { command::Open, StringId::MenuOpen },
        { command::Print, StringId::MenuPrint }, { 232, StringId::MenuZoomIn }, { 233, StringId::MenuZoomOut },
        { 234, StringId::MenuZoomFit }, { command::FullScreen, StringId::MenuFullScreen },
        { command::ImageInformation, StringId::MenuImageInfo } };
    for (const auto& [id, label] : toolCommands) {
        auto* button = new QToolButton(m_toolsBar);
        button->setText(qtext(label).remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0));
        connect(button, &QToolButton::clicked, this, [this, id = id] { runCommand(id); });
        tools->addWidget(button);
    }
    tools->addStretch();
}

void MainFrame::bindButtons()
{
    auto on = [](std::vector<ButtonRecord>& records, int id, std::function<void()> action) {
        for (ButtonRecord& record : records)
            if (record.id == id)
                record.handler = [action](const ButtonEvent& event) {
                    if (event.phase == -1)
                        action();
                };
    };
    auto& screens = m_app->screens();
    auto emptyTemplates = [this] { return isEmptyTemplatesState(category(), m_app->layoutList().entries > 0); };
    for (int page = 0; page < kFramePages; ++page) {
        m_bar->switchPage(page);
        auto& records = m_bar->records();
        on(records, 0, [this] { runCommand(command::About); });
        on(records, 1, [this] { runCommand(command::KeyF1); });
        on(records, 2, [this] {
            showMinimized();
            if (m_backdrop)
                m_backdrop->showMinimized();
        });
        on(records, 3, [this] { close(); });
        for (int cancel : { 26, 32, 39, 59, 70, 80 })
            on(records, cancel, [&screens] { screens.cancel(); });
        for (int ok : { 27, 34, 41, 61, 71, 81 })
            on(records, ok, [&screens] { screens.accept(); });
        on(records, 40, [this] { runCommand(command::SaveAs); });
        on(records, 60, [this] { runCommand(command::SaveAs); });
    }
    m_bar->switchPage(0);
    auto& layout = m_bar->records();
    on(layout, 6, [this, emptyTemplates] {
        if (emptyTemplates())
            return;
        m_app->screens().switchTo(Screen::Layout);
        // Photos that leave the page close with it.
        runCommand(command::CloseAll);
        m_app->layoutPage().clear();
        m_pageView->refresh();
        for (int id : { 8, 9, 10, 6, 100 })
            m_bar->disable(id);
    });
    const std::pair<int, Screen> switches[] = { { 7, Screen::GetPhotos }, { 8, Screen::Crop }, { 9, Screen::Edit },
        { 10, Screen::Frame }, { 100, Screen::Text } };
    for (const auto& [id, screen] : switches)
        on(layout, id,
            [this, emptyTemplates, screen = screen] { m_app->screens().switchTo(screen, emptyTemplates()); });
    on(layout, 11, [this] { m_categories->setVisible(!m_categories->isVisible()); });
    on(layout, 12, [this] {
        if (!m_app->copies().increment())
            m_app->host().beep();
        m_copies->setCount(m_app->copies().value());
    });
    on(layout, 13, [this] {
        if (!m_app->copies().decrement())
            m_app->host().beep();
        m_copies->setCount(m_app->copies().value());
    });
    on(layout, 14, [this] {
        runCommand(command::PrinterSetup);
        m_pageView->update();
    });
    on(layout, 15, [this] { printPage(); });
    // Previous and next row of the layout list; Free Style has none, and either end beeps.
    for (const auto& [id, rows] : { std::pair(16, -1), std::pair(17, 1) })
        on(layout, id, [this, rows = rows] {
            if (m_app->layoutList().category == LayoutCategory::FreeStyle || !m_layouts->scrollRows(rows))
                m_app->host().beep();
        });
    for (int id : { 350, 351, 352 })
        on(m_templateBar->records(), id, [this] { m_app->screens().switchTo(Screen::TemplateEdit); });
    // The Photo Size slider: the part of each cell, 1..100 %, that its photo may use.
    for (ButtonRecord& record : m_optionBar->records())
        if (record.id == 360)
            record.handler = [this](const ButtonEvent& event) {
                if (event.phase != -1)
                    return;
                m_app->layoutPage().setPercent((event.argument >> 16) & 0xFFFF);
                m_pageView->update();
            };
}

void MainFrame::registerCommands()
{
    CommandDispatcher& commands = m_app->commands();
    auto frame = [&](int id, std::function<int()> action) {
        commands.set(id, [action](std::string_view) { return action(); });
    };
    // Template… (108): the single-photo page composer; a double click on its photo opens another.
    new TemplateCommand(this, *m_app, [this] { runCommand(command::Open); });
    frame(command::Exit, [this] {
        close();
        return 0;
    });
    for (int id = command::ZoomFirst; id <= command::ZoomLast; ++id)
        frame(id, [this, id] {
            zoom(id);
            return command::ResultNone;
        });
    // Open the named file, or the one in the current name buffer (a dropped file).
    commands.set(command::OpenNamed, [this](std::string_view argument) {
        const std::string name = argument.empty() ? m_app->currentName() : std::string(argument);
        if (!name.empty())
            openPhoto(*m_app, name);
        return command::ResultNone;
    });
    // The recent files 1..4 open like a named file.
    for (int slot = 1; slot <= 4; ++slot)
        if (!commands.has(command::RecentFile1 + slot - 1))
            frame(command::RecentFile1 + slot - 1, [this, slot] {
                const std::string name = m_app->recentFiles().file(slot);
                if (!name.empty())
                    openPhoto(*m_app, name);
                m_pageView->update();
                return 0;
            });
    frame(command::FullScreen, [this] {
        toggleFullScreen();
        return 0;
    });
    frame(command::ImageInformation, [this] {
        showImageInformation();
        return 0;
    });
    frame(command::ShowToolsBar, [this] {
        m_toolsShown = !m_toolsShown;
        layoutPanes();
        return 0;
    });
    frame(command::ShowStatusBar, [this] {
        m_statusShown = !m_statusShown;
        layoutPanes();
        return 0;
    });
    if (!commands.has(command::Close))
        frame(command::Close, [this] {
            if (Document* document = m_app->activeDocument())
                m_app->documents().close(*document);
            m_pageView->update();
            return 0;
        });
    frame(command::CloseAll, [this] {
        m_app->documents().closeAll();
        m_pageView->update();
        return 0;
    });
    frame(command::HelpIndex, [this] {
        update();
        return 0;
    });
    frame(command::About, [this] {
        QMessageBox::about(this, qtext(StringId::ProductName), qtext(StringId::AboutText));
        return 0;
    });
    frame(command::Readme, [this] {
        showHelp(-1);
        return 0;
    });
    frame(command::KeyEnter, [this] {
        m_app->screens().accept();
        return 0;
    });
    frame(command::KeyEscape, [this] {
        m_app->screens().cancel();
        return 0;
    });
    frame(command::KeyF1, [this] {
        showHelp(m_bar->page());
        return 0;
    });
    // On the layout page the clipboard keys and Ctrl+R act on the page view's photo.
    const std::pair<int, int> pageKeys[] = { { command::KeyCut, 40001 }, { command::KeyPaste, 40003 },
        { command::KeyCopy, 40002 }, { command::KeyRotate, 40007 } };
    for (const auto& [key, pageCommand] : pageKeys)
        frame(key, [this, pageCommand = pageCommand] {
            return m_app->screens().current() == Screen::Layout ? runCommand(pageCommand) : 0;
        });
    frame(command::KeyPrint, [this] {
        if (m_app->screens().current() == Screen::Layout)
            printPage();
        return 0;
    });
    frame(command::Print, [this] {
        printPhoto();
        return 0;
    });
    frame(command::PrinterSetup, [this] {
        printerSetup();
        return 0;
    });
    frame(command::KeySaveAs, [this] {
        const Screen screen = m_app->screens().current();
        const bool photoScreen = screen == Screen::Crop || screen == Screen::Edit || screen == Screen::Frame;
        return photoScreen ? runCommand(command::SaveAs) : 0;
    });
    frame(command::KeyDelete, [this] {
        // The current cell's photo leaves the page, and its document closes when no cell shows it.
        if (m_app->screens().current() == Screen::Layout) {
            LayoutPage& page = m_app->layoutPage();
            closeDropped(page.deleteCell(page.currentCell()));
            m_pageView->update();
        }
        return 0;
    });
}

int MainFrame::runCommand(int id, const QString& argument)
{
    const int result = m_app->execute(id, argument.toStdString());
    if (id == command::OpenNamed || id == command::Open) {
        // A new photo: reload the screen's background and show the page again.
        const std::string name = screenBackgroundFile(m_app->screens().current(), m_mode640);
        if (!name.empty())
            m_screenBackground = loadSkinBitmap(m_app->paths().asset(name));
        m_pageView->update();
        update();
    }
    return result;
}

void MainFrame::openArguments(const QStringList& arguments)
{
    for (const QString& argument : arguments)
        if (!argument.isEmpty() && !argument.startsWith(QLatin1Char('-')))
            runCommand(command::OpenNamed, argument);
}

void MainFrame::openFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        m_app->currentName() = path.left(260).toStdString();
        runCommand(command::OpenNamed);
    }
    m_pageView->update();
}

int MainFrame::category() const
{
    const auto& fixed = fixedCategoryList();
    const int index = m_categories->selectedIndex();
    if (index >= int(fixed.size()))
        return kCategoryAveryLabels;
    return int(categoryTitle(index >= 0 ? fixed[std::size_t(index)] : kDefaultCategory));
}

void MainFrame::chooseCategory()
{
    const auto& fixed = fixedCategoryList();
    const int index = std::max(m_categories->selectedIndex(), 0);
    LayoutList& list = m_app->layoutList();
    const bool labels = index >= int(fixed.size());
    list.category = labels ? LayoutCategory::Labels : fixed[std::size_t(index)];
    list.prefix = labels ? index - int(fixed.size()) : 0;
    list.oneSize = false;
    list.selected = 0;
    closeDropped(m_app->layoutPage().clearClipboard());
    rebuildLayouts();
    timerTick();
}

void MainFrame::rebuildLayouts()
{
    LayoutList& list = m_app->layoutList();
    m_app->printer().setWholeInchPage(list.category == LayoutCategory::MyTemplates);
    buildLayoutList(list, { &m_labelSpec, &m_app->templateStore() }, m_app->printer().geometry());
    m_layouts->reload();
    m_layouts->setVisible(m_app->screens().current() == Screen::Layout && list.category != LayoutCategory::FreeStyle);
    m_pageView->update();
}

bool MainFrame::printPage()
{
    const LayoutList& list = m_app->layoutList();
    if (isEmptyTemplatesState(category(), list.entries > 0))
        return false;
    const LayoutPrintJob job { &m_app->layoutPage(), &list, list.selected, m_pageView->printableRect() };
    const bool printed = printLayoutPage(m_app->printer(), m_app->host(), m_app->settingsFile(), job);
    // Opening the printer measured its page again.
    rebuildLayouts();
    return printed;
}

void MainFrame::printerSetup()
{
    if (m_app->printer().printerSetup(m_app->host())) {
        // The new printer's page: measured from a context that prints nothing.
        (void)m_app->printer().openContext();
        rebuildLayouts();
    }
    m_pageView->update();
}

void MainFrame::printPhoto()
{
    if (m_printingPhoto)
        return;
    const Document* document = m_app->activeDocument();
    if (!document) {
        m_app->host().beep();
        return;
    }
    // The dialog reads the printer's resolution and printable size from a context of its own.
    PrinterState& printer = m_app->printer();
    (void)printer.openContext();
    const PageGeometry& page = printer.geometry();
    const Image& photo = document->image();
    m_printModel.open({ photo.width(), photo.height() }, photo.xPelsPerMeter(), page.dpiX,
        { page.printableWidth, page.printableHeight });
    QString printerName;
    if (const auto& choice = printer.selection().choice())
        printerName = QString::fromStdString(choice->names.device) + qtext(StringId::PrinterOnPort)
            + QString::fromStdString(choice->names.port);
    PrintDialog dialog(this, m_printModel, gfx::toQImage(photo), printerName, QString::fromStdString(document->title()),
        QString::fromStdString(m_app->decimalSeparator()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_printingPhoto = true;
    const CalibrationTables tables = loadCalibration(m_app->paths().asset(text(StringId::PrintCalibrationFile)));
    const PrintCommandInput input { &photo, document->title(), m_app->settings().printCalFlag ? &tables : nullptr };
    runPrintCommand(printer, m_app->host(), m_app->allocator(), input, m_printModel);
    m_printingPhoto = false;
    rebuildLayouts();
}

void MainFrame::pageChanged()
{
    m_pageView->update();
    timerTick();
}

void MainFrame::closeDropped(const std::shared_ptr<Image>& photo)
{
    if (photo)
        if (Document* document = m_app->documents().findByImage(photo.get()))
            m_app->documents().close(*document);
}

void MainFrame::switchScreen(Screen, Screen to)
{
    PopupText::close();
    m_bar->switchPage(buttonPageOf(to));
    const bool layout = to == Screen::Layout;
    const std::string name = screenBackgroundFile(to, m_mode640);
    m_screenBackground = name.empty() ? QImage() : loadSkinBitmap(m_app->paths().asset(name));
    for (QWidget* widget : { static_cast<QWidget*>(m_pageView), static_cast<QWidget*>(m_categories),
             static_cast<QWidget*>(m_copies), static_cast<QWidget*>(m_optionBar) })
        if (widget)
            widget->setVisible(layout);
    m_layouts->setVisible(layout && m_app->layoutList().category != LayoutCategory::FreeStyle);
    if (m_templateBar)
        m_templateBar->setVisible(layout && category() == kCategoryMyTemplates);
    auto* panel = static_cast<QLabel*>(m_screenPanel);
    panel->setPixmap(QPixmap::fromImage(m_screenBackground));
    panel->setVisible(!layout);
    layoutPanes();
    timerTick();
}

void MainFrame::layoutPanes()
{
    const int barHeight = scaled(kStatusBarRect.height(), m_mode640);
    m_statusBar->setGeometry(0, height() - barHeight, width(), barHeight);
    const double edges[] = { 0, 2.0 / 17, 0.35, 0.55, 1.0 };
    // Panes in the order zoom, type, message, help from the left.
    const StatusPane order[] = { StatusPane::Zoom, StatusPane::Type, StatusPane::Message, StatusPane::Help };
    for (int i = 0; i < 4; ++i) {
        const int left = int(edges[i] * width());
        statusPane(order[i])->setGeometry(left, 0, int(edges[i + 1] * width()) - left, barHeight);
    }
    m_statusBar->setVisible(m_statusShown);
    m_toolsBar->setGeometry(0, 0, width(), 37);
    m_toolsBar->setVisible(m_toolsShown);
    m_statusBar->raise();
    m_toolsBar->raise();
}

SuperStatic* MainFrame::statusPane(StatusPane pane) const
{
    switch (pane) {
    case StatusPane::Zoom: return m_panes[0];
    case StatusPane::Type: return m_panes[1];
    case StatusPane::Message: return m_panes[2];
    case StatusPane::Help: return m_panes[3];
    }
    return m_panes[2];
}

void MainFrame::showButtonHint(int id)
{
    StatusLine& line = m_app->statusLine();
    if (const auto hint = buttonHint(id))
        line.help(int(*hint));
    else
        line.help("", 0);
}

void MainFrame::showStatus(StatusPane pane, std::string_view text)
{
    statusPane(pane)->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void MainFrame::timerTick()
{
    FrameTimerInput in;
    in.screen = m_app->screens().current();
    in.category = category();
    in.pageHasTemplate = m_app->layoutList().entries > 0;
    const bool photos = m_app->documents().count() > 0;
    const bool pageHasPhotos = !m_app->layoutPage().isEmpty();
    in.photoListEmpty = !photos;
    in.anyCellHasPhoto = pageHasPhotos;
    in.currentCellCanPrint = pageHasPhotos;
    in.highlighted = m_bar->highlightedId();
    in.helpPending = m_bar->helpPending;
    in.leftButtonDown = QGuiApplication::mouseButtons() & Qt::LeftButton;
    const ButtonUpdate update = frameTimerTick(in);
    for (int id : update.enable)
        m_bar->enable(id);
    for (int id : update.disable)
        m_bar->disable(id);
    if (update.flash)
        m_bar->flash(update.flash);
    if (m_templateBar) {
        for (int id : update.enableTemplateBar)
            m_templateBar->enable(id);
        for (int id : update.disableTemplateBar)
            m_templateBar->disable(id);
        if (in.screen == Screen::Layout)
            m_templateBar->setVisible(in.category == kCategoryMyTemplates);
        if (update.flashTemplateBar)
            m_templateBar->flash(update.flashTemplateBar);
    }
    m_pageView->update();
}

void MainFrame::showCommandMenu(QPoint globalPos)
{
    QStringList recent;
    for (int i = 1; i <= 4; ++i)
        recent.append(QString::fromStdString(m_app->recentFiles().file(i)));
    QMenu* menu = buildCommandMenu(
        this, [this](int id) { runCommand(id); },
        [this](int id) { return id == command::ShowToolsBar ? m_toolsShown : m_statusShown; }, recent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void MainFrame::zoom(int id)
{
    Document* document = m_app->activeDocument();
    if (!document)
        return;
    const QSize usable = m_fullScreen ? m_fullScreen->size() : m_pageView->size();
    const auto outcome = applyZoomCommand(id, document->state().zoom,
        { document->image().width(), document->image().height() }, { usable.width(), usable.height() });
    if (outcome.beep)
        m_app->host().beep();
    if (outcome.changed) {
        document->state().zoom = outcome.zoom;
        if (m_fullScreen)
            m_fullScreen->update();
    }
}

void MainFrame::toggleFullScreen()
{
    if (m_fullScreen) {
        m_fullScreen->close();
        return;
    }
    const Document* document = m_app->activeDocument();
    if (!document)
        return;
    m_fullScreen = new FullScreenView(*document, m_display);
    connect(m_fullScreen, &FullScreenView::closed, this, [this] {
        if (m_backdrop)
            m_backdrop->show();
        show();
    });
    hide();
    if (m_backdrop)
        m_backdrop->hide();
    m_fullScreen->showFullScreen();
}

void MainFrame::showImageInformation()
{
    const Document* document = m_app->activeDocument();
    if (!document)
        return;
    ImageInfoDialog dialog(this, *document, logicalDpiX(), m_app->decimalSeparator());
    dialog.exec();
}

void MainFrame::showHelp(int page)
{
    const QString topic = page < 0 ? QStringLiteral("readme") : QStringLiteral("screen%1").arg(page);
    HelpViewer::show(this, assetPath("help"), topic);
}

void MainFrame::paintEvent(QPaintEvent*)
{
}

bool MainFrame::checkSettingsFile()
{
    if (m_app->settingsFileExists())
        return true;
    m_settingsMissing = true;
    m_app->host().message(text(StringId::CaptionWarning), text(StringId::MissingIniFile), Icon::Warning);
    return false;
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (m_shutDown) {
        event->accept();
        return;
    }
    delete m_templateBar;
    delete m_optionBar;
    m_templateBar = m_optionBar = nullptr;
    // Documents close one by one from the active one, without asking to save.
    while (Document* document = m_app->activeDocument())
        m_app->documents().close(*document);
    if (m_fullScreen)
        m_fullScreen->close();
    shutDown();
    event->accept();
}

void MainFrame::shutDown()
{
    m_shutDown = true;
    m_timer.stop();
    m_app->setShuttingDown();
    m_app->documents().closeAll();
    // Without its settings file the program writes none: it would make one of a few keys.
    if (!m_settingsMissing)
        m_app->writeSettings();
    m_dither.reset();
    m_display.dither = nullptr;
    PopupText::close();
    m_app->acquisition().closeLink();
    m_scannerFilter.reset();
    m_helpKey.reset();
    if (m_backdrop)
        m_backdrop->close();
    m_bar->hide();
    QCoreApplication::exit(0);
}

} // namespace gp::ui
