#include "frame/MainFrame.h"

#include "app/OpenPhoto.h"
#include "dialogs/HelpTopics.h"
#include "dialogs/HelpViewer.h"
#include "dialogs/ImageInfoDialog.h"
#include "dialogs/TemplateCommand.h"
#include "frame/ButtonHints.h"
#include "frame/CommandMenu.h"
#include "frame/HelpKeyHook.h"
#include "frame/ScannerEventFilter.h"
#include "app/App.h"
#include "screens/CropPhotoScreen.h"
#include "screens/EditPhotoScreen.h"
#include "screens/FramePhotoScreen.h"
#include "screens/GetPhotosScreen.h"
#include "screens/LayoutScreen.h"
#include "screens/TemplateEditScreen.h"
#include "screens/TextScreen.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"
#include "shell/StringTable.h"
#include "skin/ButtonBar.h"
#include "shell/ButtonIds.h"
#include "skin/PopupText.h"
#include "skin/SuperStatic.h"
#include "views/FullScreenView.h"
#include "views/PageView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QMessageBox>
#include <QShortcut>
#include <QShowEvent>
#include <QToolButton>

namespace gp::ui {

namespace {

QString qtext(StringId id)
{
    return QString::fromUtf8(text(id).data(), qsizetype(text(id).size()));
}

} // namespace

bool use640Mode(QSize screen)
{
    return (screen.width() >= 640 && screen.width() < 800) || (screen.height() >= 480 && screen.height() < 600);
}

MainFrame::MainFrame(App& app, bool mode640, int screenDepth)
    : m_app(&app)
    , m_mode640(mode640)
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

    buildBars();
    bindCommonButtons();
    registerCommands();
    buildScreens();
    layoutPanes();

    for (const Accelerator& accelerator : accelerators()) {
        auto* shortcut = new QShortcut(accelerator.keys, this);
        const int id = accelerator.command;
        connect(shortcut, &QShortcut::activated, this, [this, id] { runCommand(id); });
    }
    app.screens().onSwitch = [this](Screen from, Screen to) { switchScreen(from, to); };
    app.screens().switchTo(Screen::Layout);
    m_layout->disablePhotoButtons();

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

FrameScreen& MainFrame::current() const
{
    return screen(m_app->screens().current());
}

ButtonBar* MainFrame::templateBar() const
{
    return m_layout->templateBar();
}

PageView* MainFrame::pageView() const
{
    return m_layout->pageView();
}

LayoutListView* MainFrame::layoutListView() const
{
    return m_layout->layoutListView();
}

ListControl* MainFrame::categoryList() const
{
    return m_layout->categoryList();
}

int MainFrame::category() const
{
    return m_layout->category();
}

bool MainFrame::printPage()
{
    return m_layout->printPage();
}

QString MainFrame::assetPath(const std::string& name) const
{
    return QString::fromStdString(m_app->paths().asset(name).string());
}

void MainFrame::buildBars()
{
    std::vector<std::vector<ButtonRecord>> pages;
    for (int page = 0; page < kFramePages; ++page) {
        pages.push_back(recordsOf(framePage(page)));
        for (ButtonRecord& record : pages.back())
            record.rect = scaled(record.rect, m_mode640);
    }
    m_bar = new ButtonBar(this, m_app->paths().asset("ui/button" + ext()), std::move(pages));
    m_bar->setGeometry(rect());
    m_bar->contextMenu = [this](QPoint at) { showCommandMenu(at); };
    connect(m_bar, &ButtonBar::hoverChanged, this, &MainFrame::showButtonHint);

    m_statusBar = new QWidget(this);
    for (auto& pane : m_panes)
        pane = new SuperStatic(m_statusBar);
    m_toolsBar = new QWidget(this);
    m_toolsBar->setAutoFillBackground(true);
    auto* tools = new QHBoxLayout(m_toolsBar);
    tools->setContentsMargins(4, 2, 4, 2);
    const std::pair<int, StringId> toolCommands[] = { { command::Open, StringId::MenuOpen },
        { command::Print, StringId::MenuPrint }, { command::ZoomIn, StringId::MenuZoomIn },
        { command::ZoomOut, StringId::MenuZoomOut }, { command::ZoomFit, StringId::MenuZoomFit },
        { command::FullScreen, StringId::MenuFullScreen }, { command::ImageInformation, StringId::MenuImageInfo } };
    for (const auto& [id, label] : toolCommands) {
        auto* button = new QToolButton(m_toolsBar);
        button->setText(qtext(label).remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0));
        connect(button, &QToolButton::clicked, this, [this, id = id] { runCommand(id); });
        tools->addWidget(button);
    }
    tools->addStretch();
}

void MainFrame::buildScreens()
{
    const ScreenContext context { *m_app, *this, *m_bar, m_mode640,
        [this](int id, const QString& argument) { return runCommand(id, argument); }, m_display };
    auto layout = std::make_unique<LayoutScreen>(context);
    m_layout = layout.get();
    // In the order of the Screen values.
    m_screens.push_back(std::move(layout));
    m_screens.push_back(std::make_unique<GetPhotosScreen>(context));
    m_screens.push_back(std::make_unique<CropPhotoScreen>(context));
    m_screens.push_back(std::make_unique<EditPhotoScreen>(context));
    m_screens.push_back(std::make_unique<FramePhotoScreen>(context));
    m_screens.push_back(std::make_unique<TextScreen>(context, *m_layout->pageView()));
    auto editor = std::make_unique<TemplateEditScreen>(context);
    m_layout->editTemplate = [screen = editor.get()](int index) { screen->open(index); };
    m_screens.push_back(std::move(editor));
    for (const auto& screen : m_screens)
        screen->install();
    // The status and tools bars stay above the screens' widgets.
    m_statusBar->raise();
    m_toolsBar->raise();
}

void MainFrame::bindCommonButtons()
{
    // The logo, Help, Minimise and Exit stand on every page.
    for (int page = 0; page < m_bar->pageCount(); ++page)
        for (ButtonRecord& record : m_bar->pageRecords(page)) {
            std::function<void()> action;
            switch (record.id) {
            case button::Logo: action = [this] { runCommand(command::About); }; break;
            case button::Help: action = [this] { runCommand(command::KeyF1); }; break;
            case button::Minimise:
                action = [this] {
                    showMinimized();
                    if (m_backdrop)
                        m_backdrop->showMinimized();
                };
                break;
            case button::Exit: action = [this] { close(); }; break;
            default: continue;
            }
            record.handler = [action](const ButtonEvent& event) {
                if (event.phase == -1)
                    action();
            };
        }
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
    // The engine's zoom commands fit into the full-screen view while it shows, else the page view.
    m_app->documentView() = {
        [this] {
            const QSize usable = m_fullScreen ? m_fullScreen->size() : pageView()->size();
            return Size { usable.width(), usable.height() };
        },
        [this] {
            if (m_fullScreen)
                m_fullScreen->update();
        }
    };
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
                pageView()->update();
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
            pageView()->update();
            return 0;
        });
    frame(command::CloseAll, [this] {
        m_app->documents().closeAll();
        pageView()->update();
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
    // The keys whose meaning depends on the screen go to the current screen; a screen that
    // does not bind a key ignores it.
    for (int key : { command::KeyCut, command::KeyCopy, command::KeyPaste, command::KeyRotate, command::KeyPrint,
             command::KeySaveAs, command::KeyDelete })
        frame(key, [this, key] { return current().key(key).value_or(command::ResultNone); });
}

int MainFrame::runCommand(int id, const QString& argument)
{
    const int result = m_app->execute(id, argument.toStdString());
    if (id == command::OpenNamed || id == command::Open) {
        // A new photo: the screen reads its background again and the page shows it.
        current().photosChanged();
        if (&current() != m_layout)
            m_layout->photosChanged();
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

void MainFrame::switchScreen(Screen, Screen to)
{
    PopupText::close();
    m_bar->switchPage(buttonPageOf(to));
    for (const auto& screen : m_screens)
        if (screen->screen() != to)
            screen->setShown(false);
    this->screen(to).setShown(true);
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

void MainFrame::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        m_timer.stop();
    QWidget::hideEvent(event);
}

void MainFrame::showEvent(QShowEvent* event)
{
    if (!m_shutDown && !m_timer.isActive())
        m_timer.start();
    QWidget::showEvent(event);
}

void MainFrame::timerTick()
{
    current().tick();
}

void MainFrame::showCommandMenu(QPoint globalPos)
{
    QMenu* menu = buildMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

QMenu* MainFrame::buildMenu()
{
    QStringList recent;
    for (int i = 1; i <= 4; ++i)
        recent.append(QString::fromStdString(m_app->recentFiles().file(i)));
    return buildCommandMenu(
        this, [this](int id) { runCommand(id); },
        [this](int id) { return id == command::ShowToolsBar ? m_toolsShown : m_statusShown; }, recent,
        [this](int id) { return m_app->commands().has(id); });
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
    const QString topic = page < 0 ? help::readmeTopic() : help::screenTopic(page);
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
    m_layout->deleteBars();
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
