#include "layout/Calendar.h"
#include "layout/MattePage.h"
#include "print/MattePagePrint.h"

#include "RecordingPrintDevice.h"

#include <gtest/gtest.h>

using namespace gp;

TEST(Calendar, WeekdaysAndMonthLengths)
{
    EXPECT_EQ(firstWeekday(1990, 0), 1) << "January 1, 1990 was a Monday";
    EXPECT_EQ(firstWeekday(1990, 1), 4) << "February 1990 starts on a Thursday";
    EXPECT_EQ(daysInMonth(1990, 1), 28);
    EXPECT_EQ(firstWeekday(2000, 1), 2) << "February 2000 starts on a Tuesday";
    EXPECT_EQ(daysInMonth(2000, 1), 29);
    EXPECT_EQ(firstWeekday(2026, 11), 2) << "December 1, 2026 is a Tuesday";
    EXPECT_EQ(daysInMonth(2026, 3), 30);
}

TEST(Calendar, DrawsDaysInTheirWeekdayColumns)
{
    test::DeviceSetup setup;
    auto log = std::make_shared<test::DeviceLog>();
    test::RecordingPrintDevice dc(setup, log);
    drawCalendar(dc, 7200, 2000, 1, {0, 0}, {"Arial", 0, 400}, 100, {255, 0, 0});
    // The recording device makes characters half the font height wide: "WWW" is 1.5 × 101.
    const int c = 3 * 101 / 2, g = 101 * 5 / 4;
    auto find = [&](const std::string& s) {
        for (const auto& t : log->texts)
            if (t.text == s)
                return t;
        ADD_FAILURE() << s << " not drawn";
        return test::DeviceLog::Text{};
    };
    EXPECT_EQ(find("Sun").at, (Point{c, 2 * g}));
    EXPECT_EQ(find("1").at, (Point{3 * c, 3 * g})) << "Tuesday is the third column";
    EXPECT_EQ(find("29").at, (Point{3 * c, 7 * g}));
    EXPECT_EQ(find("1").align, TextAlign::Right);
    const auto title = find("February 2000");
    EXPECT_EQ(title.font.weight, 700);
    EXPECT_EQ(title.align, TextAlign::Center);
    EXPECT_EQ(log->texts.size(), 7u + 29 + 1);
}

TEST(MattePage, PreviewGeometry)
{
    MattePage page;
    placeItems(page, {400, 500});
    EXPECT_EQ(page.photoRect, (Rect{100, 125, 300, 375}));
    EXPECT_EQ(page.upperRect.left, 100);
    EXPECT_EQ(page.lowerRect.top, 385);
    EXPECT_EQ(previewTextScale(400, 600, 4800), 501);

    // Size 5 % of the fitted photo, centred where the window was.
    const Rect small = fitPhotoWindow(page.photoRect, {400, 500}, {3000, 2000}, 5);
    EXPECT_EQ(small.width(), 20);
    EXPECT_EQ(small.height(), 13);
    EXPECT_EQ((small.left + small.right) / 2, 200);
    EXPECT_EQ(outputDpi(3000, 501, 200), 3000 * 501 / 2000 + 1);

    // A calendar page puts its background a fifth down the free height; a matte page centres it.
    EXPECT_EQ(backgroundRect({400, 500}, {300, 100}, MatteKind::Calendar), (Rect{50, 80, 350, 180}));
    EXPECT_EQ(backgroundRect({400, 500}, {300, 100}, MatteKind::Matte), (Rect{50, 200, 350, 300}));
    EXPECT_EQ(matteLines("a\r\nb\n\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST(MattePage, PrintsTheItemsWhereThePreviewHasThem)
{
    MattePage page;
    placeItems(page, {480, 612});
    page.upper.text = "Summer";
    page.backgroundKind = 1;
    test::DeviceSetup setup; // 4800 × 6120 at 600 dpi
    auto log = std::make_shared<test::DeviceLog>();
    test::RecordingPrintDevice device(setup, log);
    const Image photo = std::move(Image::create(30, 20, 24)).value();
    ASSERT_TRUE(drawMattePage(device, {&page, &photo, nullptr, {480, 612}}));
    ASSERT_EQ(log->fills.size(), 1u);
    EXPECT_EQ(log->fills[0].first, (Rect{-1, -1, 4801, 6121}));
    ASSERT_EQ(log->stretches.size(), 1u);
    EXPECT_EQ(log->stretches[0].target, (Rect{1200, 1530, 3600, 4590}));
    ASSERT_EQ(log->frames.size(), 1u);
    EXPECT_EQ(log->frames[0].second.width, 3);
    // An empty lower text prints nothing; the upper text is centred on its window's centre.
    ASSERT_EQ(log->texts.size(), 1u);
    EXPECT_EQ(log->texts[0].text, "Summer");
    EXPECT_EQ(log->texts[0].font.height, 6000 * 200 / 7200 + 1);
    EXPECT_EQ(log->texts[0].at.y, 612 / 10 * 10);
}
