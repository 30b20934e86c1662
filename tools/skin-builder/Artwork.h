#pragma once
// The program's own interface artwork, drawn with QPainter in 800 × 600 coordinates and scaled
// for the 640 mode: flat colours with a soft shadow, clear labels and simple line glyphs, and
// three button states (normal, pressed, hover) that are easy to tell apart.

#include "skin/ButtonLayout.h"

#include <QImage>

namespace gp::skin {

enum class ButtonState { Normal, Pressed, Hover };

// A button's image in one state, the size of its (scaled) place.
QImage buttonImage(const ui::ButtonSpec& buttonSpec, ButtonState state, double scale);
// A slider's track (state Normal) or its knob (Pressed, Hover).
QImage sliderImage(const ui::ButtonSpec& buttonSpec, ButtonState state, double scale);
// The background of a page of the frame's bar, with panels behind its areas.
QImage frameBackground(int page, double scale);
// The backdrop of a screen's work area (the screen background files).
QImage screenBackdrop(int screen, double scale);
// The background of one of the layout page's own bars, the size of its place.
QImage barBackground(const QSize& size, const QString& title, double scale);
// The copies counter showing count.
QImage copiesImage(int count, double scale);
// A list row in one state; the text is drawn by the list itself.
QImage listRowImage(const ui::ButtonSpec& buttonSpec, ButtonState state, double scale);
// The blank panel shown where the page has no template.
QImage blankPanel(double scale);

} // namespace gp::skin
