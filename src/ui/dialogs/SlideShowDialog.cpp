#include "dialogs/SlideShowDialog.h"

#include "dialogs/DialogText.h"
#include "app/App.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace gp::ui {

namespace {

constexpr int kMostSeconds = 3600;

} // namespace

SlideShowDialog::SlideShowDialog(QWidget* parent, App& app)
    : QDialog(parent)
    , m_app(&app)
    , m_albums(new QListWidget(this))
    , m_transitions(new QCheckBox(tableText(StringId::SlideShowTransitions), this))
    , m_loop(new QCheckBox(tableText(StringId::SlideShowLoop), this))
    , m_seconds(new QSpinBox(this))
{
    setWindowTitle(tableText(StringId::SlideShowTitle));
    AlbumState& albums = app.albums();
    for (int i = 0; i < albums.registry.count(AlbumFamily::General); ++i)
        m_albums->addItem(toQString(albums.registry.displayName(AlbumFamily::General, i)));
    m_albums->setCurrentRow(
        std::clamp(albums.registry.currentIndex(AlbumFamily::General), 0, std::max(0, m_albums->count() - 1)));
    m_transitions->setChecked(albums.slideShow.transitions);
    m_loop->setChecked(albums.slideShow.autoLoop);
    m_seconds->setRange(1, kMostSeconds);
    m_seconds->setValue(albums.slideShow.seconds);
    auto* layout = new QFormLayout(this);
    layout->addRow(tableText(StringId::SlideShowAlbum), m_albums);
    layout->addRow(m_transitions);
    layout->addRow(m_loop);
    layout->addRow(tableText(StringId::SlideShowSeconds), m_seconds);
    layout->addRow(new QLabel(tableText(StringId::SlideShowEscNote), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(m_albums->count() > 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

void SlideShowDialog::accept()
{
    const int row = m_albums->currentRow();
    if (row < 0)
        return;
    SlideShowSettings& settings = m_app->albums().slideShow;
    settings.transitions = m_transitions->isChecked();
    settings.autoLoop = m_loop->isChecked();
    settings.seconds = m_seconds->value();
    m_albumFile = m_app->albums().registry.path(AlbumFamily::General, row);
    QDialog::accept();
}

} // namespace gp::ui
