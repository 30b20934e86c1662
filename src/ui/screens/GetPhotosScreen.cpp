#include "screens/GetPhotosScreen.h"

#include "app/AlbumActions.h"
#include "album/AlbumFormat.h"
#include "album/AlbumSort.h"
#include "album/ThumbnailSheet.h"
#include "dialogs/AddToAlbumDialog.h"
#include "dialogs/AlbumChoiceDialog.h"
#include "dialogs/DeleteOptionsDialog.h"
#include "dialogs/DialogText.h"
#include "dialogs/HelpTopics.h"
#include "dialogs/HelpViewer.h"
#include "dialogs/PhotoPropertiesDialog.h"
#include "dialogs/PrintThumbnailsDialog.h"
#include "dialogs/SlideShowDialog.h"
#include "dialogs/SortAlbumDialog.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"
#include "shell/ButtonIds.h"
#include "views/AlbumGrid.h"
#include "views/SlideShowWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdio>
#include <ctime>

namespace gp::ui {

namespace {

// More photo windows than this and opening stops.
constexpr std::size_t kMostPhotoWindows = 98;

QString formatted(StringId id, int a, int b = 0)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, std::string(text(id)).c_str(), a, b);
    return QString::fromUtf8(buffer);
}

} // namespace

GetPhotosScreen::GetPhotosScreen(ScreenContext context)
    : FrameScreen(std::move(context), Screen::GetPhotos, button::AlbumArea)
    , m_session(app())
{
    buildWidgets();
}

GetPhotosScreen::~GetPhotosScreen()
{
    closeAlbum();
}

void GetPhotosScreen::buildWidgets()
{
    m_panel = new QWidget(&frame());
    m_panel->setGeometry(area());
    m_panel->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    auto* tools = new QHBoxLayout;
    tools->setSpacing(2);
    const std::pair<StringId, StringId> toolTexts[] = { { StringId::AlbumToolAdd, StringId::AlbumHintAdd },
        { StringId::AlbumToolAcquire, StringId::AlbumHintAcquire }, { StringId::AlbumToolSave, StringId::AlbumHintSave },
        { StringId::AlbumToolPrint, StringId::AlbumHintPrint }, { StringId::AlbumToolSort, StringId::AlbumHintSort },
        { StringId::AlbumToolDelete, StringId::AlbumHintDelete }, { StringId::AlbumToolExit, StringId::AlbumHintExit },
        { StringId::AlbumToolHelp, StringId::HintHelp } };
    const std::function<void()> actions[] = { [this] { addPhotos(); }, [this] { runCommand(command::Acquire); },
        [this] { saveAlbum(); }, [this] { printThumbnails(); }, [this] { sortAlbum(); }, [this] { removePhotos(); },
        [this] { app().screens().cancel(); }, [this] { showHelp(); } };
    for (int i = 0; i < 8; ++i) {
        m_tools[i] = new QToolButton(m_panel);
        m_tools[i]->setText(tableText(toolTexts[i].first));
        m_tools[i]->setToolTip(tableText(toolTexts[i].second).trimmed());
        m_tools[i]->setStatusTip(tableText(toolTexts[i].second));
        QObject::connect(m_tools[i], &QToolButton::clicked, m_panel, actions[i]);
        tools->addWidget(m_tools[i]);
    }
    tools->addStretch();
    layout->addLayout(tools);

    m_name = new QLineEdit(m_panel);
    m_name->setMaxLength(int(kAlbumEntryChars) - 16);
    m_name->setPlaceholderText(tableText(StringId::AlbumNamePlaceholder));
    layout->addWidget(m_name);
    m_description = new QLineEdit(m_panel);
    m_description->setMaxLength(int(kAlbumTextSize) - 1);
    m_description->setPlaceholderText(tableText(StringId::AlbumDescriptionPlaceholder));
    QObject::connect(m_description, &QLineEdit::textEdited, m_panel, [this](const QString& typed) {
        AlbumList& album = m_session.list();
        const int current = album.selection();
        if (album.isEmpty() || current < 0 || current >= album.count())
            return;
        album.photos()[std::size_t(current)].record.description = typed.toStdString();
        album.setModified(true);
    });
    layout->addWidget(m_description);

    auto* gridRow = new QHBoxLayout;
    m_scroll = new QScrollBar(Qt::Vertical, m_panel);
    const int gridWidth = area().width() - m_scroll->sizeHint().width() - 4;
    m_grid = new AlbumGrid(m_panel, app(), m_session.list(), albumScreenShape(gridWidth, mode640()),
        display());
    gridRow->addWidget(m_grid, 0, Qt::AlignTop);
    gridRow->addWidget(m_scroll);
    m_scroll->setFixedHeight(m_grid->height());
    layout->addLayout(gridRow);
    layout->addStretch();
    m_info = new QLabel(m_panel);
    layout->addWidget(m_info);

    QObject::connect(m_grid, &AlbumGrid::scrollChanged, m_panel, [this](int range, int first) {
        const QSignalBlocker block(m_scroll);
        m_scroll->setRange(0, range);
        m_scroll->setValue(first);
    });
    QObject::connect(m_scroll, &QScrollBar::valueChanged, m_panel, [this](int row) { m_grid->scrollTo(row); });
    QObject::connect(m_grid, &AlbumGrid::selectionChanged, m_panel, [this] { showCurrentDescription(); });
    QObject::connect(m_grid, &AlbumGrid::albumModified, m_panel, [this] { showCount(); });
    QObject::connect(m_grid, &AlbumGrid::openRequested, m_panel, [this] { openSelected(); });
    QObject::connect(m_grid, &AlbumGrid::deleteRequested, m_panel, [this] { removePhotos(); });
    QObject::connect(m_grid, &AlbumGrid::propertiesRequested, m_panel, [this] { showProperties(); });
    QObject::connect(m_grid, &AlbumGrid::helpRequested, m_panel, [this] { showHelp(); });
    m_panel->hide();
}

void GetPhotosScreen::bindButtons()
{
    bindOkCancel(button::AlbumOk, button::AlbumCancel);
    onButton(button::OpenAlbum, [this] { openAlbum(); });
    onButton(button::NewAlbum, [this] { newAlbum(); });
    onButton(button::AddPhotos, [this] { addPhotos(); });
    onButton(button::UsePhotos, [this] { usePhotos(); });
    onButton(button::SlideShow, [this] { runSlideShow(); });
    onButton(button::RemovePhotos, [this] { removePhotos(); });
    onButton(button::RenamePhoto, [this] { renameAlbum(); });
}

void GetPhotosScreen::registerCommands()
{
    onCommand(command::AddToAlbum, [this] {
        AddToAlbumDialog::run(&frame(), app());
        return command::ResultNone;
    });
    onCommand(command::SlideShow, [this] {
        runSlideShow();
        return command::ResultNone;
    });
    onCommand(command::AlbumCommand, [this] {
        app().screens().switchTo(Screen::GetPhotos);
        return command::ResultNone;
    });
    // Edit > Delete acts on the album's selection while the album is shown, and discards the
    // photo's selection everywhere else, as it did before the album took it over.
    onCommand(command::Delete, [this] {
        if (!m_shown)
            return app().execute(command::Discard);
        removePhotos();
        return command::ResultNone;
    });
    onKey(command::KeyDelete, [this] {
        removePhotos();
        return command::ResultNone;
    });
    onKey(command::KeyCut, [this] {
        m_grid->cut();
        return command::ResultNone;
    });
    onKey(command::KeyCopy, [this] {
        m_grid->copy();
        return command::ResultNone;
    });
    onKey(command::KeyPaste, [this] {
        m_grid->paste();
        return command::ResultNone;
    });
    onKey(command::KeyPrint, [this] {
        printThumbnails();
        return command::ResultNone;
    });
}

void GetPhotosScreen::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    if (shown) {
        showAlbum();
        m_previousDelivery = app().acquisition().deliver;
        app().acquisition().deliver = [this](std::optional<Image> image) {
            if (image)
                storeScannedPhoto(*image);
        };
    } else {
        app().acquisition().deliver = m_previousDelivery;
        closeAlbum();
    }
    m_panel->setVisible(shown);
    if (shown)
        m_grid->setFocus();
}

void GetPhotosScreen::enter()
{
}

void GetPhotosScreen::accept()
{
    closeAlbum();
}

void GetPhotosScreen::cancel()
{
    closeAlbum();
}

void GetPhotosScreen::showAlbum()
{
    m_session.show(kAlbumScreenMode);
    m_grid->setAlbum(m_session.list());
    m_name->setText(toQString(m_session.albumName()));
    refresh();
}

void GetPhotosScreen::closeAlbum()
{
    if (!m_session.isShown())
        return;
    m_session.close(m_name->text().trimmed().toStdString());
}

void GetPhotosScreen::refresh()
{
    m_grid->albumChanged();
    showCurrentDescription();
    showCount();
}

void GetPhotosScreen::showCurrentDescription()
{
    const AlbumList& album = m_session.list();
    const int current = album.selection();
    m_description->setText(album.isEmpty() || current >= album.count()
            ? QString()
            : toQString(album.photos()[std::size_t(current)].record.description));
}

void GetPhotosScreen::showInfo(const QString& info)
{
    m_info->setText(info);
    m_info->repaint();
}

void GetPhotosScreen::showCount()
{
    showInfo(formatted(StringId::AlbumInfoCount, m_session.list().count()));
}

void GetPhotosScreen::showHelp()
{
    HelpViewer::show(&frame(), assetPath("help"), help::screenTopic(buttonPageOf(Screen::GetPhotos)));
}

void GetPhotosScreen::openAlbum()
{
    QStringList names;
    for (int i = 0; i < m_session.albumCount(); ++i)
        names << toQString(app().albums().registry.displayName(AlbumFamily::General, i));
    AlbumChoiceDialog dialog(&frame(), tableText(StringId::OpenAlbumTitle), tableText(StringId::SlideShowAlbum), names,
        m_session.albumIndex(), tableText(StringId::OpenAlbumNew));
    if (dialog.exec() != QDialog::Accepted || dialog.choice() < 0)
        return;
    m_session.selectAlbum(dialog.choice(), m_name->text().trimmed().toStdString());
    m_grid->setAlbum(m_session.list());
    m_name->setText(toQString(m_session.albumName()));
    refresh();
}

void GetPhotosScreen::newAlbum()
{
    m_session.selectAlbum(m_session.albumCount(), m_name->text().trimmed().toStdString());
    m_grid->setAlbum(m_session.list());
    m_name->setText(toQString(m_session.albumName()));
    refresh();
}

void GetPhotosScreen::renameAlbum()
{
    bool ok = false;
    const QString name = QInputDialog::getText(&frame(), tableText(StringId::RenameAlbumTitle),
        tableText(StringId::RenameAlbumPrompt), QLineEdit::Normal, m_name->text(), &ok);
    if (!ok || name.trimmed().isEmpty())
        return;
    if (m_session.rename(name.trimmed().toStdString()))
        m_name->setText(toQString(m_session.albumName()));
}

void GetPhotosScreen::addPhotos()
{
    QProgressDialog progress(tableText(StringId::AddThumbnailsTitle), QString(), 0, 0, &frame());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const int added = addThumbnailsFromDialog(
        app(), [this](std::string_view info) { showInfo(toQString(info)); },
        [&progress](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            progress.setLabelText(formatted(StringId::AddThumbnailsProgress, done, total));
        });
    progress.reset();
    AlbumList& album = m_session.list();
    if (added > 0) {
        album.setSelection(album.count() - 1);
        for (int i = 0; i < album.count(); ++i)
            album.photos()[std::size_t(i)].setSelected(i == album.count() - 1);
        album.setModified(true);
    }
    refresh();
    if (added > 0)
        m_description->clear();
}

bool GetPhotosScreen::openSelected()
{
    const std::vector<int> selected = m_grid->model().selectedItems();
    std::vector<std::string> paths;
    for (int index : selected)
        paths.push_back(m_session.list().photos()[std::size_t(index)].record.path);
    for (const std::string& path : paths) {
        if (app().documents().count() > kMostPhotoWindows) {
            app().host().message(text(StringId::CaptionWarning), text(StringId::TooManyPhotoWindows), Icon::Warning);
            return false;
        }
        runCommand(command::OpenNamed, toQString(path));
    }
    return true;
}

void GetPhotosScreen::usePhotos()
{
    if (m_grid->model().selectedItems().empty()) {
        app().host().beep();
        return;
    }
    if (openSelected())
        app().screens().accept();
}

void GetPhotosScreen::removePhotos()
{
    if (m_grid->model().selectedItems().empty()) {
        app().host().beep();
        return;
    }
    const std::optional<DeleteFiles> choice = DeleteOptionsDialog::ask(&frame());
    if (!choice)
        return;
    m_session.list().removeSelected(*choice, app().host());
    refresh();
}

void GetPhotosScreen::sortAlbum()
{
    SortAlbumDialog dialog(&frame(), app().albums().sortOrder);
    if (dialog.exec() != QDialog::Accepted)
        return;
    gp::sortAlbum(m_session.list(), app().albums().sortOrder);
    refresh();
}

void GetPhotosScreen::printThumbnails()
{
    if (m_session.list().isEmpty()) {
        app().host().beep();
        return;
    }
    PrintThumbnailsDialog dialog(&frame(), m_session.list().count(), [this] { app().printer().printerSetup(app().host()); });
    if (dialog.exec() != QDialog::Accepted)
        return;
    gp::printThumbnails(app().printer(), app().host(), dialog.job(m_session.list()));
}

void GetPhotosScreen::saveAlbum()
{
    if (m_session.list().isEmpty()) {
        app().host().beep();
        return;
    }
    m_session.save();
}

void GetPhotosScreen::runSlideShow()
{
    // The album on view is saved first so the show sees its photos as they are.
    if (m_shown && m_session.list().isModified() && !m_session.list().isEmpty())
        m_session.save();
    SlideShowDialog dialog(&frame(), app());
    if (dialog.exec() != QDialog::Accepted)
        return;
    SlideShowWindow::start(app(), dialog.albumFile(), frame().window());
}

void GetPhotosScreen::showProperties()
{
    AlbumList& album = m_session.list();
    const int current = album.selection();
    if (album.isEmpty() || current < 0 || current >= album.count())
        return;
    PhotoPropertiesDialog dialog(&frame(), album.photos()[std::size_t(current)].record);
    if (dialog.exec() == QDialog::Accepted && dialog.renamed()) {
        album.setModified(true);
        m_grid->update();
    }
}

void GetPhotosScreen::storeScannedPhoto(const Image& photo)
{
    std::time_t now = std::time(nullptr);
    std::tm today {};
    localtime_r(&now, &today);
    storeCapturedPhoto(app(), photo, today, [this](std::string_view info) { showInfo(toQString(info)); });
    refresh();
}

} // namespace gp::ui
