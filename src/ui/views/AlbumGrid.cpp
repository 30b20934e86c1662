#include "views/AlbumGrid.h"

#include "album/AlbumPhotoReader.h"
#include "album/DenseThumbnails.h"
#include "album/Thumbnail.h"
#include "codecs/ImageFileTypes.h"
#include "app/App.h"
#include "shell/Paths.h"
#include "shell/StringTable.h"
#include "skin/PopupText.h"
#include "skin/SkinDensity.h"
#include "views/SoundPlayer.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>
#include <fstream>

namespace gp::ui {

namespace {

constexpr int kLargestCell = 116;
constexpr int kStripCell = 105;
constexpr int kStripPitch = 110;
const QColor kSelectionColor(49, 106, 197);
const QColor kSelectionEdge(20, 50, 120);
// The sound of a changed selection, in the program folder.
constexpr const char* kSelectionSound = "snap.wav";
// The memory the dense thumbnails may keep: at 192 x 128 pixels some 440 photos, three dozen
// screens of the album grid.
constexpr std::size_t kDenseThumbnailBytes = std::size_t(32) << 20;
// The folder of them kept between runs: some 1800 photos' at 192 x 128.
constexpr std::size_t kDenseThumbnailDiskBytes = std::size_t(128) << 20;

// One cache of dense thumbnails for every grid of the program (the album screen's and the
// strips show the same photos), made when the first grid on a dense screen asks and freed with
// the last grid.
std::shared_ptr<DenseThumbnails> sharedDenseThumbnails(App& app, int density)
{
    static std::weak_ptr<DenseThumbnails> shared;
    std::shared_ptr<DenseThumbnails> cache = shared.lock();
    if (!cache || cache->density() != density) {
        cache = std::make_shared<DenseThumbnails>(
            backgroundPhotoReader(app.imageFiles()), density, kDenseThumbnailBytes, app.allocator().ceiling());
        cache->keepOnDisk(userCacheDir() / ("thumbnails-" + std::to_string(density) + "x"), kDenseThumbnailDiskBytes);
        shared = cache;
    }
    return cache;
}

ClickKind clickKind(Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ShiftModifier)
        return ClickKind::Shift;
    if (modifiers & Qt::ControlModifier)
        return ClickKind::Ctrl;
    return ClickKind::Plain;
}

QString fileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return QString::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1));
}

} // namespace

AlbumGridShape albumScreenShape(int width, bool small)
{
    AlbumGridShape shape;
    shape.columns = small ? 3 : 4;
    shape.rows = small ? 2 : 3;
    // The pitch leaves a sixth of a cell between cells; the cell never passes 116 pixels.
    shape.pitchX = std::max(40, width / shape.columns);
    shape.cell = std::min(kLargestCell, shape.pitchX * 6 / 7);
    shape.pitchY = shape.cell + (small ? 35 : 21);
    shape.albumScreen = true;
    return shape;
}

AlbumGridShape albumStripShape()
{
    return { 1, 3, kStripCell, kStripCell, kStripPitch, false };
}

AlbumGrid::AlbumGrid(QWidget* parent, App& app, AlbumList& album, AlbumGridShape shape, DisplaySetup display)
    : QWidget(parent)
    , m_app(&app)
    , m_model(album, shape.columns, shape.rows, shape.albumScreen)
    , m_shape(shape)
    , m_display(display)
{
    setFixedSize(shape.size());
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(shape.albumScreen);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

AlbumGrid::~AlbumGrid()
{
    // The worker must not post to a grid that is gone.
    if (m_dense)
        m_dense->removeListener(this);
}

DenseThumbnails* AlbumGrid::denseThumbnails()
{
    const int density = pictureDensity(devicePixelRatioF());
    if (density <= 1)
        return nullptr;
    if (!m_dense || m_dense->density() != density) {
        if (m_dense)
            m_dense->removeListener(this);
        m_dense = sharedDenseThumbnails(*m_app, density);
        // A thumbnail made on the worker repaints the grid on the grid's own thread.
        m_dense->addListener(this, [this] { QMetaObject::invokeMethod(this, [this] { update(); }, Qt::QueuedConnection); });
    }
    return m_dense.get();
}

QImage AlbumGrid::photoPicture(int index, std::vector<PhotoRecord>* wishes)
{
    const PhotoItem& item = m_model.album().photos()[std::size_t(index)];
    DenseThumbnails* dense = denseThumbnails();
    if (dense && DenseThumbnails::gainsDetail(item.record)) {
        if (const std::shared_ptr<const Image> made = dense->find(item.record))
            return renderedPicture(*made, m_display, dense->density());
        if (wishes)
            wishes->push_back(item.record);
    }
    const auto thumbnail = Image::fromPacked(item.thumbnail);
    if (!thumbnail)
        return {};
    return renderedPicture(*thumbnail, m_display, 1);
}

QImage AlbumGrid::cellPicture(int cell)
{
    const int index = m_model.itemShownIn(cell);
    return index < 0 ? QImage() : photoPicture(index, nullptr);
}

void AlbumGrid::setAlbum(AlbumList& album)
{
    m_model.setAlbum(album);
    albumChanged();
}

void AlbumGrid::albumChanged()
{
    m_model.setFirstVisibleRow(m_model.firstVisibleRow()); // brings the row back into range
    reportScroll();
    update();
}

void AlbumGrid::reportScroll()
{
    emit scrollChanged(m_model.scrollRange(), m_model.firstVisibleRow());
}

void AlbumGrid::scrollTo(int row)
{
    if (m_model.setFirstVisibleRow(row)) {
        reportScroll();
        update();
    }
}

QRect AlbumGrid::cellRect(int cell) const
{
    return { (cell % m_shape.columns) * m_shape.pitchX, (cell / m_shape.columns) * m_shape.pitchY, m_shape.cell,
        m_shape.cell };
}

int AlbumGrid::cellAt(QPoint point) const
{
    for (int cell = 0; cell < m_model.cellCount(); ++cell)
        if (cellRect(cell).contains(point))
            return cell;
    return -1;
}

void AlbumGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QColor background = palette().color(QPalette::Window);
    painter.fillRect(event->rect(), background);
    const auto& photos = m_model.album().photos();
    std::vector<PhotoRecord> wishes;
    int lastShown = -1;
    for (int cell = 0; cell < m_model.cellCount(); ++cell) {
        const int index = m_model.itemShownIn(cell);
        if (index < 0)
            continue;
        lastShown = std::max(lastShown, index);
        const QRect box = cellRect(cell);
        const PhotoItem& item = photos[std::size_t(index)];
        if (!box.intersects(event->rect())) {
            // A cell outside a partial repaint still keeps its wish, since the wishes are replaced.
            if (m_dense && DenseThumbnails::gainsDetail(item.record) && !m_dense->find(item.record))
                wishes.push_back(item.record);
            continue;
        }
        if (item.isSelected()) {
            painter.fillRect(box, kSelectionColor);
            painter.setPen(kSelectionEdge);
            painter.drawRect(box.adjusted(0, 0, -1, -1));
        }
        const QImage picture = photoPicture(index, &wishes);
        if (picture.isNull())
            continue;
        // A dense picture paints at the stored thumbnail's size, so the cell looks the same; at a
        // fractional scale it is shrunk smoothly.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, picture.devicePixelRatio() != devicePixelRatioF());
        const QSize size = picture.deviceIndependentSize().toSize();
        painter.drawImage(QPoint(box.left() + (box.width() - size.width()) / 2, box.top() + (box.height() - size.height()) / 2),
            picture);
    }
    if (DenseThumbnails* dense = m_dense ? denseThumbnails() : nullptr) {
        // The photos of the next screen follow the ones in view, so scrolling on finds them made.
        const int end = std::min(int(photos.size()), lastShown + 1 + m_model.cellCount());
        for (int index = lastShown + 1; index < end; ++index)
            if (DenseThumbnails::gainsDetail(photos[std::size_t(index)].record))
                wishes.push_back(photos[std::size_t(index)].record);
        dense->want(wishes);
    }
}

void AlbumGrid::select(int cell, ClickKind kind)
{
    const auto result = m_model.click(cell, kind);
    if (result == AlbumGridModel::ClickResult::Refused) {
        if (kind != ClickKind::Plain || m_model.album().isEmpty())
            QApplication::beep();
        return;
    }
    update();
    if (result == AlbumGridModel::ClickResult::Changed) {
        // A changed selection is heard as a shutter's click.
        playSoundFile(QString::fromStdString((m_app->paths().programDir / kSelectionSound).string()));
        emit selectionChanged(m_model.current());
    }
}

void AlbumGrid::mousePressEvent(QMouseEvent* event)
{
    PopupText::close();
    setFocus(Qt::MouseFocusReason);
    const int cell = cellAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || cell < 0)
        return;
    const ClickKind kind = clickKind(event->modifiers());
    if (kind != ClickKind::Plain && !m_shape.albumScreen) {
        QApplication::beep();
        return;
    }
    select(cell, kind);
    m_pressed = !m_model.album().isEmpty();
    m_pressPoint = event->position().toPoint();
    if (!m_shape.albumScreen && m_clickHandler && m_model.current() >= 0 && !m_model.album().isEmpty())
        m_clickHandler(m_model.current());
}

void AlbumGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (!m_pressed || !(event->buttons() & Qt::LeftButton)) {
        showHint(point);
        return;
    }
    if (!m_dragging && (point - m_pressPoint).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!m_dragging) {
        m_dragging = true;
        PopupText::close();
        setCursor(Qt::DragMoveCursor);
    }
    // Above the first row or below the grid the view moves one row per movement.
    if (point.y() < 0)
        scrollTo(m_model.firstVisibleRow() - 1);
    else if (point.y() >= height())
        scrollTo(m_model.firstVisibleRow() + 1);
}

void AlbumGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool dragged = m_dragging;
    m_pressed = m_dragging = false;
    unsetCursor();
    if (!dragged)
        return;
    const int cell = cellAt(event->position().toPoint());
    if (cell < 0 || !m_model.dropCurrentOn(cell)) {
        QApplication::beep();
        return;
    }
    update();
    emit selectionChanged(m_model.current());
    emit albumModified();
}

void AlbumGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_shape.albumScreen && cellAt(event->position().toPoint()) >= 0
        && !m_model.album().isEmpty())
        emit openRequested();
}

void AlbumGrid::showHint(QPoint point)
{
    const int cell = cellAt(point);
    const int index = m_model.itemShownIn(cell);
    if (cell == m_hintCell)
        return;
    m_hintCell = cell;
    if (index < 0) {
        PopupText::close();
        return;
    }
    const std::string& path = m_model.album().photos()[std::size_t(index)].record.path;
    QString hint;
    if (m_shape.albumScreen) {
        char number[32];
        std::snprintf(number, sizeof number, std::string(text(StringId::AlbumItemHint)).c_str(), index + 1);
        hint = QString::fromUtf8(number) + fileNameOf(path);
    } else {
        hint = QStringLiteral("  ") + QString::fromStdString(path);
    }
    PopupText::show(window(), mapTo(window(), point + QPoint(12, 16)), hint);
}

void AlbumGrid::leaveEvent(QEvent*)
{
    m_hintCell = -1;
    PopupText::close();
}

bool AlbumGrid::currentFileReadable() const
{
    const int current = m_model.current();
    if (current < 0 || current >= m_model.album().count())
        return false;
    std::ifstream file(m_model.album().photos()[std::size_t(current)].record.path, std::ios::binary);
    return file.good();
}

void AlbumGrid::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_shape.albumScreen)
        return;
    PopupText::close();
    const int cell = cellAt(event->pos());
    if (cell >= 0 && !m_model.album().isEmpty())
        select(cell, ClickKind::Plain);
    const bool hasCurrent = !m_model.album().isEmpty();
    const bool readable = hasCurrent && currentFileReadable();
    QMenu menu(this);
    auto add = [&](StringId id, bool enabled, auto action) {
        QAction* item = menu.addAction(QString::fromUtf8(text(id).data(), int(text(id).size())));
        item->setEnabled(enabled);
        connect(item, &QAction::triggered, this, action);
    };
    add(StringId::AlbumMenuCut, readable, [this] { cut(); });
    add(StringId::AlbumMenuCopy, readable, [this] { copy(); });
    add(StringId::AlbumMenuPaste, m_model.hasClipboard(), [this] { paste(); });
    add(StringId::AlbumMenuDelete, hasCurrent, [this] { emit deleteRequested(); });
    add(StringId::AlbumMenuProperties, readable, [this] { emit propertiesRequested(); });
    add(StringId::AlbumMenuHelp, hasCurrent, [this] { emit helpRequested(); });
    menu.exec(event->globalPos());
}

void AlbumGrid::cut()
{
    if (m_model.album().isEmpty())
        return;
    m_model.cutCurrent();
    albumChanged();
    emit selectionChanged(m_model.current());
    emit albumModified();
}

void AlbumGrid::copy()
{
    m_model.copyCurrent();
}

void AlbumGrid::paste()
{
    if (!m_model.paste())
        return;
    albumChanged();
    emit selectionChanged(m_model.current());
    emit albumModified();
}

int AlbumGrid::addDroppedFiles(const QStringList& paths)
{
    AlbumList& album = m_model.album();
    int added = 0;
    for (const QString& name : paths) {
        const std::string path = name.toStdString();
        if (!fileTypeForExtension(extensionOf(path)) || album.isFull() || path.size() >= kAlbumTextSize)
            continue;
        const std::optional<Image> photo = readPhotoQuietly(m_app->imageFiles(), path, PhotoCdReadMode::AlbumThumbnail);
        if (!photo)
            continue;
        std::optional<PhotoItem> item = makeThumbnail(*photo, path, m_app->allocator());
        if (item && album.append(std::move(*item))) {
            album.setSelection(album.count() - 1);
            ++added;
        }
    }
    if (added > 0) {
        for (int i = 0; i < album.count(); ++i)
            album.photos()[std::size_t(i)].setSelected(i == album.selection());
        albumChanged();
        emit selectionChanged(m_model.current());
        emit albumModified();
    }
    return added;
}

void AlbumGrid::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        scrollTo(m_model.firstVisibleRow() - steps);
}

void AlbumGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && m_shape.albumScreen && !m_model.album().isEmpty()) {
        emit deleteRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AlbumGrid::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void AlbumGrid::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void AlbumGrid::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->acceptProposedAction();
    addDroppedFiles(paths);
}

} // namespace gp::ui
