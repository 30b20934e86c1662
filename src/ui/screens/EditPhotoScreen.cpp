#include "screens/EditPhotoScreen.h"

#include "screens/WorkflowCanvas.h"
#include "app/App.h"
#include "editing/workflow/EffectIntensity.h"
#include "gfx/QtImage.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"
#include "shell/ButtonIds.h"

#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>

namespace gp::ui {

namespace {

QString qtext(StringId id) { return QString::fromUtf8(text(id).data(), qsizetype(text(id).size())); }

// The strength label takes the bottom of the list's place.
constexpr int kStrengthHeight = 22;
// The effect pictures of the list: the photo fitted into this size.
constexpr Size kThumbnailSize { 48, 36 };

} // namespace

EditPhotoScreen::EditPhotoScreen(ScreenContext context)
    : WorkflowScreen(std::move(context), Screen::Edit, button::EditArea)
    , m_effects(new QListWidget(&frame()))
    , m_strength(new QLabel(&frame()))
{
    canvas().setObjectName("editCanvas");
    const QRect place = placeOf(button::EffectListArea);
    m_effects->setObjectName("effectList");
    m_effects->setGeometry(place.adjusted(0, 0, 0, -kStrengthHeight));
    m_effects->setIconSize(QSize(kThumbnailSize.width, kThumbnailSize.height));
    // A long name takes a second line rather than a sideways scroll bar.
    m_effects->setWordWrap(true);
    m_effects->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_strength->setObjectName("effectStrength");
    m_strength->setGeometry(place.left(), place.bottom() - kStrengthHeight + 1, place.width(), kStrengthHeight);
    m_strength->setAlignment(Qt::AlignCenter);
    m_effects->hide();
    m_strength->hide();
    QObject::connect(m_effects, &QListWidget::itemClicked, m_effects,
        [this](QListWidgetItem* item) { chooseEffect(item->data(Qt::UserRole).toInt()); });
    m_thumbnails.setInterval(0);
    QObject::connect(&m_thumbnails, &QTimer::timeout, m_effects, [this] { nextThumbnail(); });
}

void EditPhotoScreen::setShown(bool shown)
{
    WorkflowScreen::setShown(shown);
    m_effects->setVisible(shown);
    m_strength->setVisible(shown);
    if (!shown)
        leave();
}

void EditPhotoScreen::bindButtons()
{
    bindOkCancel(button::EditOk, button::EditCancel);
    onButton(button::Stronger, [this] { step(true); });
    onButton(button::Weaker, [this] { step(false); });
    onButton(button::EditUndo, [this] { undo(); });
    onButton(button::EditSaveAs, [this] { saveResult(result(), StringId::UntitledEdited); });
}

void EditPhotoScreen::registerCommands()
{
    onKey(command::KeySaveAs, [this] {
        saveResult(result(), StringId::UntitledEdited);
        return 1;
    });
}

void EditPhotoScreen::enter()
{
    m_history.clear();
    m_effects->clear();
    // Without a photo the list still shows, for a photo taken from the strip.
    const bool started = startWorkflow();
    if (!m_library)
        m_library = openEffectsLibrary(app().paths(), app().host());
    if (m_library) {
        // Until its picture is made, each entry shows a blank of the picture's size, so the
        // rows keep their places.
        const int density = canvas().density();
        QPixmap blank(kThumbnailSize.width * density, kThumbnailSize.height * density);
        blank.setDevicePixelRatio(density);
        blank.fill(Qt::darkGray);
        for (const EffectEntry& entry : m_library->effects()) {
            auto* item = new QListWidgetItem(QIcon(blank), QString::fromStdString(entry.name), m_effects);
            item->setData(Qt::UserRole, entry.number);
        }
    }
    if (started)
        keepPhotoInStrip();
    startThumbnails();
    refresh();
}

void EditPhotoScreen::stripClicked(const std::string& path)
{
    const Choice chosen { workflow().edit.effect(), workflow().edit.intensity() };
    if (!loadPhoto(path))
        return;
    if (m_library && chosen.effect != 0) {
        workflow().edit.choose(chosen.effect, workflow().displayCopy(), *m_library, app().allocator());
        workflow().edit.set(chosen.intensity, workflow().displayCopy(), *m_library, app().allocator());
    }
    startThumbnails();
    refresh();
}

void EditPhotoScreen::rescaled()
{
    // The list's pictures follow the display copy's new density too.
    startThumbnails();
    refresh();
}

void EditPhotoScreen::startThumbnails()
{
    m_thumbnails.stop();
    m_small.reset();
    m_thumbnailRow = 0;
    if (!m_library || !workflow().hasPhoto())
        return;
    // The display copy is already small; the list's copy comes from it, not from the full photo,
    // at the display copy's density so the pictures are as sharp as the screen.
    const int density = workflow().unit();
    const Size box { kThumbnailSize.width * density, kThumbnailSize.height * density };
    auto small = makeDisplayCopy(workflow().displayCopy(), box, app().allocator(), density);
    if (!small)
        return;
    m_small = std::move(small->image);
    m_thumbnails.start();
}

void EditPhotoScreen::nextThumbnail()
{
    if (!m_small || !m_library || m_thumbnailRow >= m_effects->count()) {
        m_thumbnails.stop();
        return;
    }
    QListWidgetItem* item = m_effects->item(m_thumbnailRow++);
    const int effect = item->data(Qt::UserRole).toInt();
    if (const auto picture = m_library->apply(effect, *m_small, initialIntensity(effect), app().allocator())) {
        QPixmap pixmap = QPixmap::fromImage(gfx::toQImage(*picture));
        pixmap.setDevicePixelRatio(workflow().unit());
        item->setIcon(QIcon(pixmap));
    }
}

void EditPhotoScreen::accept()
{
    openResult(result(), StringId::UntitledEdited);
    leave();
}

void EditPhotoScreen::cancel() { leave(); }

void EditPhotoScreen::leave()
{
    m_thumbnails.stop();
    m_small.reset();
    closeWorkflow();
    m_history.clear();
    m_effects->clearSelection();
}

std::optional<Image> EditPhotoScreen::result()
{
    if (!m_library || !workflow().hasPhoto() || workflow().edit.effect() == 0)
        return std::nullopt;
    return workflow().edit.result(workflow().photo(), app().host(), *m_library, app().allocator());
}

void EditPhotoScreen::chooseEffect(int effect)
{
    if (!m_library || !workflow().hasPhoto()) {
        app().host().beep();
        return;
    }
    m_history.push_back({ workflow().edit.effect(), workflow().edit.intensity() });
    workflow().edit.choose(effect, workflow().displayCopy(), *m_library, app().allocator());
    refresh();
}

void EditPhotoScreen::step(bool up)
{
    if (!m_library || !workflow().hasPhoto() || workflow().edit.effect() == 0) {
        app().host().beep();
        return;
    }
    m_history.push_back({ workflow().edit.effect(), workflow().edit.intensity() });
    workflow().edit.step(up, app().host(), workflow().displayCopy(), *m_library, app().allocator());
    refresh();
}

void EditPhotoScreen::undo()
{
    if (m_history.empty() || !m_library || !workflow().hasPhoto()) {
        app().host().beep();
        return;
    }
    const Choice previous = m_history.back();
    m_history.pop_back();
    EditState& edit = workflow().edit;
    if (previous.effect == 0) {
        edit = EditState();
    } else {
        edit.choose(previous.effect, workflow().displayCopy(), *m_library, app().allocator());
        edit.set(previous.intensity, workflow().displayCopy(), *m_library, app().allocator());
    }
    refresh();
}

void EditPhotoScreen::refresh()
{
    if (!workflow().hasPhoto()) {
        m_strength->clear();
        return;
    }
    const EditState& edit = workflow().edit;
    show(edit.preview() ? *edit.preview() : workflow().displayCopy(), workflow().displayRect());
    for (int row = 0; row < m_effects->count(); ++row)
        if (m_effects->item(row)->data(Qt::UserRole).toInt() == edit.effect())
            m_effects->setCurrentRow(row);
    if (edit.effect() == 0) {
        m_effects->clearSelection();
        m_strength->clear();
    } else {
        m_strength->setText(qtext(StringId::EffectIntensity).replace("%d", QString::number(edit.intensity())));
    }
}

} // namespace gp::ui
