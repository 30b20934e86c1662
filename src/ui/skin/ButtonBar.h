#pragma once
// A skinned button bar: a background picture and a page of buttons whose normal, pressed and
// hover pictures come from a skin file. It hit-tests the mouse, shows hover and pressed
// pictures, repeats auto-repeat buttons while held (every 100 ms from the third tick on), keeps
// toggle and radio groups (kind 8 toggles across pages), drags sliders, cross-fades a button to
// draw the eye, and calls each button's handler. The frame hosts one bar; the layout page's own
// bars and the list controls are bars too.

#include "skin/ButtonLayout.h"
#include "skin/SkinFile.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace gp::ui {

// What a handler is told: the record's argument (a slider's position in the high 16 bits), the
// mouse point for presses and moves of kinds 99 and 150, and the phase (0 press, 1 move,
// 50 paint with the painter, -1 click).
struct ButtonEvent {
    int argument = 0;
    std::optional<QPoint> position;
    int phase = -1;
    QPainter* painter = nullptr;
    QRect rect;
};

enum class ButtonState { Normal = 0, Selected = 1, Disabled = 2, NotLatching = 3 };

struct ButtonRecord {
    std::function<void(const ButtonEvent&)> handler;
    int argument = 0;
    int id = 0;
    ButtonKind kind = ButtonKind::Push;
    int group = 0;
    ButtonState state = ButtonState::Normal;
    Rect rect; // taken from the skin when empty
    int parameter = 0; // a slider's range
    QImage images[3]; // normal, pressed, hover
};

class ButtonBar : public QWidget {
    Q_OBJECT
public:
    // pages: the record table of every page. skin: the skin file; background: a named
    // background picture, else "screen<page><ext>" beside the skin.
    ButtonBar(QWidget* parent, std::filesystem::path skin, std::vector<std::vector<ButtonRecord>> pages,
        std::filesystem::path background = {});
    ~ButtonBar() override;

    // At most 20 bars live at once; a bar made beyond that has no slot and stays empty.
    static int liveBars();
    bool registered() const { return m_registered; }

    void switchPage(int page);
    int page() const { return m_page; }
    void enable(int id) { setState(id, ButtonState::Normal); }
    void disable(int id) { setState(id, ButtonState::Disabled); }
    void setSelected(int id, bool selected);
    bool isEnabled(int id) const;
    bool isSelected(int id) const;
    std::optional<QRect> rectOf(int id) const;
    void setSliderPosition(int id, int position);
    int sliderPosition(int id) const;
    // The button under the mouse, -1 none.
    int highlightedId() const;
    bool leftButtonHeld() const { return m_pressed >= 0; }
    // The records of the current page (for the list control and tests).
    // Before the first switch, the records of page 0.
    std::vector<ButtonRecord>& records() { return m_pages[std::size_t(std::max(m_page, 0))]; }
    // The records of any page, shown or not (the screens bind their handlers through it).
    std::vector<ButtonRecord>& pageRecords(int page) { return m_pages.at(std::size_t(page)); }
    int pageCount() const { return int(m_pages.size()); }

    // The index of the record at a point: the first record that is not an area and not a
    // scroll control, else a scroll control; nothing when a disabled record holds the point.
    std::optional<int> hitTest(QPoint point, bool* refused = nullptr) const;

    // Cross-fades the button between its normal and hover pictures: 201 frames, frame i at
    // i / 2 percent. A pending help request makes it return at once.
    void flash(int id);
    bool flashing() const { return m_flashFrame >= 0; }
    bool helpPending = false;
    // The frame's bar shows its own menu on a right click; bars in their own windows offer Help.
    std::function<void(QPoint globalPos)> contextMenu;

    // One tick of the auto-repeat timer (the timer calls it every 100 ms while a button is held).
    void repeatTick();

signals:
    // The refused click on a disabled button.
    void refusedClick();
    void helpRequested(int page);
    // The mouse moved onto another record (its id), or off every record (−1).
    void hoverChanged(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setState(int id, ButtonState state);
    ButtonRecord* find(int id);
    const ButtonRecord* find(int id) const;
    void call(ButtonRecord& record, std::optional<QPoint> position, int phase, QPainter* painter = nullptr);
    void release(ButtonRecord& record, QPoint point);
    void paintRecord(QPainter& painter, ButtonRecord& record, int index);
    void setSliderFromPoint(ButtonRecord& record, QPoint point);
    QRect qrect(const ButtonRecord& record) const;
    void flashStep();

    std::optional<SkinFile> m_skin;
    int m_density = 1; // the skin's pixels per window unit: 2 when its "@2x" file was read
    std::filesystem::path m_skinPath;
    std::filesystem::path m_backgroundPath;
    std::vector<std::vector<ButtonRecord>> m_pages;
    int m_page = -1;
    QImage m_background;
    int m_pressed = -1;
    int m_hover = -1;
    bool m_dragging = false;
    int m_repeatCount = 0;
    QTimer m_repeat;
    int m_flashIndex = -1;
    int m_flashFrame = -1;
    QTimer m_flashTimer;
    bool m_registered = false;
};

// The list of one of the bars' pages: its record table filled from the layout (handlers come
// later from the frame).
std::vector<ButtonRecord> recordsOf(std::span<const ButtonSpec> specs);

} // namespace gp::ui
