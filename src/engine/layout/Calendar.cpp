#include "layout/Calendar.h"

#include "shell/StringTable.h"

#include <algorithm>
#include <string>

namespace gp {

int daysInMonth(int year, int month)
{
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 1)
        return year % 4 == 0 ? 29 : 28;
    return kLengths[std::clamp(month, 0, 11)];
}

int daysBeforeMonth(int year, int month)
{
    int days = 0;
    for (int y = kFirstCalendarYear; y < year; ++y)
        days += y % 4 == 0 ? 366 : 365;
    for (int m = 0; m < month; ++m)
        days += daysInMonth(year, m);
    return days;
}

int firstWeekday(int year, int month)
{
    // January 1, 1990 was a Monday.
    return (daysBeforeMonth(year, month) + 1) % 7;
}

void drawCalendar(DrawingContext& dc, int scale, int year, int month, Point origin, FontSpec font, int sizeTenths,
                  Color color)
{
    font.height = int(static_cast<long long>(scale) * std::max(sizeTenths, 4) / 7200 + 1);
    const Size www = dc.measureText("WWW", font);
    const int c = www.width, g = www.height * 5 / 4;
    auto rightAligned = [&](int column, int y, std::string_view s) {
        dc.drawText({origin.x + c * (column + 1), y}, s, font, TextAlign::Right, color, true);
    };
    for (int day = 0; day < 7; ++day)
        rightAligned(day, origin.y + 2 * g, text(static_cast<int>(StringId::DaySunday) + day));
    const int first = firstWeekday(year, month), length = daysInMonth(year, month);
    for (int day = 1; day <= length; ++day) {
        const int place = first + day - 1;
        rightAligned(place % 7, origin.y + (3 + place / 7) * g, std::to_string(day));
    }
    FontSpec titleFont = font;
    titleFont.height = font.height * 5 / 4;
    titleFont.weight = std::max(titleFont.weight, 700);
    const std::string title =
        std::string(text(static_cast<int>(StringId::MonthJanuary) + month)) + " " + std::to_string(year);
    dc.drawText({origin.x + 7 * c / 2, origin.y + g / 4}, title, titleFont, TextAlign::Center, color, true);
}

} // namespace gp
