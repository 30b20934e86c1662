#include "skin/ButtonBar.h"

#include "gfx/QtImage.h"
#include "skin/SkinBitmap.h"
#include "skin/SkinDensity.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace gp::ui {

namespace {

constexpr int kMaxBars = 20;
int g_liveBars = 0;

bool isSlider(ButtonKind kind)
{
    return kind == ButtonKind::Slider || kind == ButtonKind::SliderControl;
}

int sliderPositionOf(const ButtonRecord& record)
{
    return (record.argument >> 16) & 0xFFFF;
}

} // namespace

std::vector<ButtonRecord> recordsOf(std::span<const ButtonSpec> specs)
{
    std::vector<ButtonRecord> records;
    for (const ButtonSpec& buttonSpec : specs) {
        ButtonRecord record;
        record.id = buttonSpec.id;
        record.argument = buttonSpec.id;
        record.kind = buttonSpec.kind;
        record.group = buttonSpec.group;
        if (buttonSpec.kind == ButtonKind::Area)
            record.rect = buttonSpec.rect;
        if (isSlider(buttonSpec.kind))
            record.parameter = 100;
        records.push_back(std::move(record));
    }
    return records;
}

ButtonBar::ButtonBar(QWidget* parent, std::filesystem::path skin, std::vector<std::vector<ButtonRecord>> pages,
    std::filesystem::path background)
    : QWidget(parent)
    , m_skinPath(std::move(skin))
    , m_backgroundPath(std::move(background))
    , m_pages(std::move(pages))
{
    if (g_liveBars < kMaxBars) {
        ++g_liveBars;
        m_registered = true;
    }
    // The screen's density picks the skin file; a picture drawn at 2x paints at its window size.
    const DensityFile file = densityFile(m_skinPath, devicePixelRatioF());
    if (auto loaded = SkinFile::load(file.path)) {
        m_skin = std::move(loaded).value();
        m_density = file.density;
    }
    setMouseTracking(true);
    m_repeat.setInterval(100);
    connect(&m_repeat, &QTimer::timeout, this, &ButtonBar::repeatTick);
    m_flashTimer.setInterval(2);
    connect(&m_flashTimer, &QTimer::timeout, this, &ButtonBar::flashStep);
    if (m_pages.empty())
        m_pages.emplace_back();
}

ButtonBar::~ButtonBar()
{
    if (m_registered)
        --g_liveBars;
}

int ButtonBar::liveBars()
{
    return g_liveBars;
}

void ButtonBar::switchPage(int page)
{
    if (page < 0 || page >= int(m_pages.size()))
        return;
    // Pictures live for one page: free the old page's before loading the new one's.
    if (m_page >= 0)
        for (ButtonRecord& record : records())
            for (QImage& image : record.images)
                image = QImage();
    m_page = page;
    m_pressed = m_hover = -1;
    m_repeat.stop();
    m_flashTimer.stop();
    m_flashFrame = -1;

    std::filesystem::path background = m_backgroundPath;
    if (background.empty())
        background = m_skinPath.parent_path() / ("screen" + std::to_string(page) + m_skinPath.extension().string());
    m_background = loadSkinBitmap(background, devicePixelRatioF());

    std::span<const SkinEntry> entries = m_skin && m_registered ? m_skin->page(page) : std::span<const SkinEntry> {};
    std::vector<ButtonRecord>& list = records();
    for (std::size_t i = 0; i < list.size() && 3 * i + 2 < entries.size(); ++i) {
        ButtonRecord& record = list[i];
        for (int k = 0; k < 3; ++k)
            if (auto image = m_skin->image(entries[3 * i + std::size_t(k)])) {
                record.images[k] = gfx::toQImage(*image);
                record.images[k].setDevicePixelRatio(m_density);
            }
        if (record.rect.isEmpty())
            record.rect = entries[3 * i + 2].rect;
        if (isSlider(record.kind) && entries[3 * i + 2].parameter > 0)
            record.parameter = entries[3 * i + 2].parameter;
    }
    update();
}

ButtonRecord* ButtonBar::find(int id)
{
    if (m_page < 0)
        return nullptr;
    for (ButtonRecord& record : records())
        if (record.id == id)
            return &record;
    return nullptr;
}

const ButtonRecord* ButtonBar::find(int id) const
{
    return const_cast<ButtonBar*>(this)->find(id);
}

void ButtonBar::setState(int id, ButtonState state)
{
    if (ButtonRecord* record = find(id); record && record->state != state) {
        record->state = state;
        update(qrect(*record));
    }
}

void ButtonBar::setSelected(int id, bool selected)
{
    setState(id, selected ? ButtonState::Selected : ButtonState::Normal);
}

bool ButtonBar::isEnabled(int id) const
{
    const ButtonRecord* record = find(id);
    return record && record->state != ButtonState::Disabled;
}

bool ButtonBar::isSelected(int id) const
{
    const ButtonRecord* record = find(id);
    return record && record->state == ButtonState::Selected;
}

std::optional<QRect> ButtonBar::rectOf(int id) const
{
    if (const ButtonRecord* record = find(id))
        return qrect(*record);
    return std::nullopt;
}

QRect ButtonBar::qrect(const ButtonRecord& record) const
{
    return QRect(record.rect.left, record.rect.top, record.rect.width(), record.rect.height());
}

void ButtonBar::setSliderPosition(int id, int position)
{
    if (ButtonRecord* record = find(id)) {
        position = std::clamp(position, 0, std::max(record->parameter, 0));
        record->argument = (record->argument & 0xFFFF) | (position << 16);
        update(qrect(*record));
    }
}

int ButtonBar::sliderPosition(int id) const
{
    const ButtonRecord* record = find(id);
    return record ? sliderPositionOf(*record) : 0;
}

int ButtonBar::highlightedId() const
{
    return m_hover >= 0 && m_page >= 0 ? m_pages[std::size_t(m_page)][std::size_t(m_hover)].id : -1;
}

std::optional<int> ButtonBar::hitTest(QPoint point, bool* refused) const
{
    if (refused)
        *refused = false;
    if (m_page < 0)
        return std::nullopt;
    const auto& list = m_pages[std::size_t(m_page)];
    std::optional<int> scroll;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ButtonRecord& record = list[i];
        if (record.kind == ButtonKind::Area || !record.rect.contains({ point.x(), point.y() }))
            continue;
        if (record.kind == ButtonKind::Scroll) {
            if (!scroll)
                scroll = int(i);
            continue;
        }
        if (record.state == ButtonState::Disabled) {
            if (refused)
                *refused = true;
            return std::nullopt;
        }
        return int(i);
    }
    if (scroll && list[std::size_t(*scroll)].state == ButtonState::Disabled) {
        if (refused)
            *refused = true;
        return std::nullopt;
    }
    return scroll;
}

void ButtonBar::call(ButtonRecord& record, std::optional<QPoint> position, int phase, QPainter* painter)
{
    if (!record.handler)
        return;
    ButtonEvent event;
    event.argument = record.argument;
    event.position = position;
    event.phase = phase;
    event.painter = painter;
    event.rect = qrect(record);
    // A handler may switch the page and so replace the record; work on a copy of the call.
    auto handler = record.handler;
    handler(event);
}

void ButtonBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const auto hit = hitTest(event->position().toPoint());
    if (!hit)
        return;
    m_pressed = m_hover = *hit;
    m_repeatCount = 0;
    m_repeat.start();
    ButtonRecord& record = records()[std::size_t(m_pressed)];
    if (record.kind == ButtonKind::SliderControl) {
        m_dragging = true;
        setSliderFromPoint(record, event->position().toPoint());
    }
    if (record.kind == ButtonKind::AlwaysPressed || record.kind == ButtonKind::OwnerDrawn)
        call(record, event->position().toPoint(), 0);
    update();
}

void ButtonBar::repeatTick()
{
    ++m_repeatCount;
    if (m_pressed < 0 || m_repeatCount < 3)
        return;
    ButtonRecord& record = records()[std::size_t(m_pressed)];
    if (record.kind == ButtonKind::Repeat && m_hover == m_pressed)
        call(record, std::nullopt, -1);
}

void ButtonBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (m_dragging && m_pressed >= 0) {
        setSliderFromPoint(records()[std::size_t(m_pressed)], point);
        return;
    }
    const int hit = hitTest(point).value_or(-1);
    if (hit >= 0) {
        ButtonRecord& record = records()[std::size_t(hit)];
        if (record.kind == ButtonKind::AlwaysPressed || record.kind == ButtonKind::OwnerDrawn)
            call(record, point, 1);
    }
    if (hit != m_hover) {
        m_hover = hit;
        update();
        emit hoverChanged(hit >= 0 ? records()[std::size_t(hit)].id : -1);
    }
}

void ButtonBar::leaveEvent(QEvent*)
{
    if (m_hover >= 0) {
        m_hover = -1;
        update();
        emit hoverChanged(-1);
    }
}

void ButtonBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_repeat.stop();
    const int pressed = m_pressed;
    m_pressed = -1;
    const bool wasDragging = m_dragging;
    m_dragging = false;
    bool refused = false;
    const auto hit = hitTest(event->position().toPoint(), &refused);
    update();
    if (refused) {
        QApplication::beep();
        emit refusedClick();
        return;
    }
    if (pressed < 0)
        return;
    ButtonRecord& record = records()[std::size_t(pressed)];
    if (hit == pressed || wasDragging) {
        if (wasDragging) {
            // A drag ends where it was let go, when that is near the track; else it springs back.
            const QRect near = qrect(record).adjusted(-std::max(50, record.rect.width() / 2),
                -std::max(50, record.rect.height() / 2), std::max(50, record.rect.width() / 2),
                std::max(50, record.rect.height() / 2));
            if (!near.contains(event->position().toPoint()))
                return;
        }
        release(record, event->position().toPoint());
    }
}

void ButtonBar::release(ButtonRecord& record, QPoint point)
{
    if (record.kind == ButtonKind::Scroll)
        setSliderFromPoint(record, point);
    if (record.kind == ButtonKind::SharedToggle) {
        const bool on = record.state != ButtonState::Selected;
        for (auto& page : m_pages)
            for (ButtonRecord& other : page)
                if (&other == &record || (record.group != 0 && other.group == record.group))
                    other.state = on ? ButtonState::Selected : ButtonState::Normal;
    } else if (record.group != 0 && record.state != ButtonState::NotLatching) {
        int members = 0;
        for (const ButtonRecord& other : records())
            members += other.group == record.group;
        if (members == 1) {
            record.state = record.state == ButtonState::Selected ? ButtonState::Normal : ButtonState::Selected;
        } else {
            for (ButtonRecord& other : records())
                if (other.group == record.group && other.state != ButtonState::Disabled)
                    other.state = &other == &record ? ButtonState::Selected : ButtonState::Normal;
        }
    }
    update();
    call(record, std::nullopt, -1);
}

void ButtonBar::setSliderFromPoint(ButtonRecord& record, QPoint point)
{
    const QRect r = qrect(record);
    const int knob = r.height();
    const int span = std::max(1, r.width() - knob);
    const int position = std::clamp((point.x() - r.left() - knob / 2) * record.parameter / span, 0, record.parameter);
    if (position != sliderPositionOf(record)) {
        record.argument = (record.argument & 0xFFFF) | (position << 16);
        update(r);
    }
}

void ButtonBar::contextMenuEvent(QContextMenuEvent* event)
{
    if (contextMenu) {
        contextMenu(event->globalPos());
        return;
    }
    // Bars in their own windows offer help on their page; the list controls offer nothing.
    if (property("listControl").toBool())
        return;
    m_hover = -1;
    update();
    QMenu menu(this);
    QAction* help = menu.addAction(QStringLiteral("Help"));
    if (menu.exec(event->globalPos()) == help)
        emit helpRequested(m_page);
}

void ButtonBar::paintRecord(QPainter& painter, ButtonRecord& record, int index)
{
    const QRect r = qrect(record);
    if (record.kind == ButtonKind::Area)
        return;
    if (record.kind == ButtonKind::OwnerDrawn) {
        const QImage& base = record.images[record.state == ButtonState::Selected ? 1 : index == m_hover ? 2 : 0];
        if (!base.isNull())
            painter.drawImage(r.topLeft(), base);
        call(record, std::nullopt, 50, &painter);
        return;
    }
    if (isSlider(record.kind)) {
        painter.drawImage(r.topLeft(), record.images[0]);
        const QImage& knob = record.images[index == m_hover || index == m_pressed ? 2 : 1];
        // The knob's size in window units, whatever the density it was drawn at.
        const QSize knobSize = knob.deviceIndependentSize().toSize();
        const int span = std::max(1, r.width() - knobSize.width());
        const int x = r.left() + sliderPositionOf(record) * span / std::max(1, record.parameter);
        painter.drawImage(QPoint(x, r.top() + (r.height() - knobSize.height()) / 2), knob);
        return;
    }
    int picture = 0;
    if (record.kind == ButtonKind::AlwaysPressed)
        picture = 2;
    else if (record.state == ButtonState::Selected || index == m_pressed)
        picture = 1;
    else if (index == m_hover && record.state != ButtonState::Disabled)
        picture = 2;
    if (index == m_flashIndex && m_flashFrame >= 0) {
        // Frame i blends the hover picture over the normal one at i / 2 percent.
        painter.drawImage(r.topLeft(), record.images[0]);
        painter.setOpacity(m_flashFrame / 200.0);
        painter.drawImage(r.topLeft(), record.images[2]);
        painter.setOpacity(1.0);
        return;
    }
    if (!record.images[picture].isNull())
        painter.drawImage(r.topLeft(), record.images[picture]);
    if (record.state == ButtonState::Disabled) {
        // A pale wash over the picture: the skins carry no disabled picture of their own.
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(238, 242, 246, 150));
        painter.drawRoundedRect(QRectF(r), 6, 6);
        painter.restore();
    }
}

void ButtonBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // On a fractional scale the 2x pictures are shrunk to the screen's pixels: smoothly, not by
    // dropping rows.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, devicePixelRatioF() != m_density);
    if (!m_background.isNull()) {
        const QSize size = m_background.deviceIndependentSize().toSize();
        painter.drawImage((width() - size.width()) / 2, (height() - size.height()) / 2, m_background);
    }
    if (m_page < 0)
        return;
    auto& list = records();
    for (std::size_t i = 0; i < list.size(); ++i)
        paintRecord(painter, list[i], int(i));
}

void ButtonBar::flash(int id)
{
    if (helpPending) {
        helpPending = false;
        return;
    }
    ButtonRecord* record = find(id);
    if (!record || record->images[0].isNull() || record->images[2].isNull())
        return;
    m_flashIndex = int(record - records().data());
    m_flashFrame = 0;
    m_flashTimer.start();
    repaint(qrect(*record));
}

void ButtonBar::flashStep()
{
    if (m_flashFrame < 0 || m_flashIndex < 0 || m_flashIndex >= int(records().size())) {
        m_flashTimer.stop();
        return;
    }
    const QRect r = qrect(records()[std::size_t(m_flashIndex)]);
    if (++m_flashFrame > 200) {
        m_flashFrame = -1;
        m_flashTimer.stop();
    }
    repaint(r);
}

} // namespace gp::ui
