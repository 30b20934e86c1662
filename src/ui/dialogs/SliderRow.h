#pragma once
// A labelled horizontal scroll bar with the field that echoes its value, as the editing dialogs
// lay them out: line ±1, the given page step, Home and End to the ends of the range.

#include <QString>

class QGridLayout;
class QLabel;
class QScrollBar;
class QWidget;

namespace gp::ui {

struct SliderRow {
    QScrollBar* bar;
    QLabel* echo;
};

SliderRow addSliderRow(QWidget* owner, QGridLayout* grid, int row, const QString& label, const QString& name,
    int minimum, int maximum, int page, int value);

} // namespace gp::ui
