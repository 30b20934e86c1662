#include "views/AlbumStrip.h"

#include "album/AlbumPhotoReader.h"
#include "app/App.h"
#include "views/AlbumGrid.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <algorithm>

namespace gp::ui {

namespace {

// A strip reopens with its remembered photo this many rows below the top, when it can.
constexpr int kRowsAboveRemembered = 2;

} // namespace

AlbumStrip::AlbumStrip(QWidget* parent, App& app, int mode, DisplaySetup display)
    : QWidget(parent)
    , m_app(&app)
    , m_mode(mode)
    , m_session(app)
    , m_grid(new AlbumGrid(this, app, app.albums().open, albumStripShape(), display))
    , m_scroll(new QScrollBar(Qt::Vertical, this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_grid);
    layout->addWidget(m_scroll);
    m_scroll->setFixedHeight(m_grid->height());
    setFixedSize(m_grid->width() + 2 + m_scroll->sizeHint().width(), m_grid->height());
    connect(m_grid, &AlbumGrid::scrollChanged, this, [this](int range, int first) {
        const QSignalBlocker block(m_scroll);
        m_scroll->setRange(0, range);
        m_scroll->setValue(first);
    });
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int row) { m_grid->scrollTo(row); });
    m_grid->setClickHandler([this](int index) {
        const AlbumList& album = m_session.list();
        if (index < 0 || index >= album.count())
            return;
        m_app->albums().stripCurrent[std::size_t(m_session.family())] = index;
        if (m_clicked)
            m_clicked(album.photos()[std::size_t(index)].record.path);
    });
}

AlbumStrip::~AlbumStrip()
{
    close();
}

void AlbumStrip::setClickHandler(std::function<void(const std::string&)> handler)
{
    m_clicked = std::move(handler);
}

void AlbumStrip::open()
{
    m_session.show(m_mode);
    AlbumList& album = m_session.list();
    const int remembered = m_app->albums().stripCurrent[std::size_t(m_session.family())];
    if (remembered >= 0 && remembered < album.count()) {
        album.setSelection(remembered);
        album.photos()[std::size_t(remembered)].setSelected(true);
        album.setFirstVisibleRow(std::max(0, remembered - kRowsAboveRemembered));
    } else {
        album.setFirstVisibleRow(0);
    }
    m_grid->setAlbum(album);
}

void AlbumStrip::close()
{
    if (m_session.isShown())
        m_session.close();
}

bool AlbumStrip::add(const std::string& path)
{
    if (!m_session.isShown())
        return false;
    // A family without albums gets its first one now, so the photo has a file to be kept in.
    if (m_session.albumCount() == 0)
        m_session.selectAlbum(0);
    const AddOutcome outcome = addFileToAlbum(m_session.list(), path, AlbumAdder { m_app->allocator(), albumPhotoReader(m_app->imageFiles()) });
    m_grid->albumChanged();
    return outcome == AddOutcome::Added;
}

bool AlbumStrip::select(int index)
{
    AlbumList& album = m_session.list();
    if (!m_session.isShown() || index < 0 || index >= album.count())
        return false;
    for (int i = 0; i < album.count(); ++i)
        album.photos()[std::size_t(i)].setSelected(i == index);
    album.setSelection(index);
    const int first = album.firstVisibleRow();
    if (index < first || index >= first + m_grid->model().rowsShown())
        m_grid->scrollTo(std::max(0, index - kRowsAboveRemembered));
    m_grid->albumChanged();
    m_app->albums().stripCurrent[std::size_t(m_session.family())] = index;
    if (m_clicked)
        m_clicked(album.photos()[std::size_t(index)].record.path);
    return true;
}

} // namespace gp::ui
