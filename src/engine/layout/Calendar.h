#pragma once
// The month calendar of the calendar page: which weekday a month starts on and how long it is,
// counted from Monday, January 1, 1990 (every year divisible by 4 is a leap year in the range),
// and its drawing, Sunday first.

#include "draw/DrawingContext.h"

namespace gp {

inline constexpr int kFirstCalendarYear = 1990;
// The year list reaches 2099, the last year for which "divisible by 4" is the whole leap rule.
inline constexpr int kLastCalendarYear = 2099;

// month is 0..11.
int daysInMonth(int year, int month);
int daysBeforeMonth(int year, int month); // since January 1, 1990
// 0 = Sunday .. 6 = Saturday.
int firstWeekday(int year, int month);

// Draws the month at origin: the title (month name and year, 5/4 of the height, bold) over the
// day names and six rows of right-aligned day numbers in seven columns as wide as "WWW". font
// holds the face and style; sizeTenths its size in tenths of a point, drawn at scale / 7200.
void drawCalendar(DrawingContext& dc, int scale, int year, int month, Point origin, FontSpec font, int sizeTenths,
                  Color color);

} // namespace gp
