#include "layout/Calendar.h"
#include "layout/MattePage.h"
#include "print/MattePagePrint.h"
#include "print/PrinterState.h"

#include "FakeHost.h"

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

TEST(MattePage, PhotoSizeKeepsTheWindowOnItsCentre)
{
    const Size preview{400, 500};
    const Size photo{3000, 2000};
    const Rect start{140, 160, 260, 240}; // centred on (200, 200)
    auto centre = [](const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; };

    Rect window = fitPhotoWindow(start, preview, photo, 5);
    EXPECT_EQ((Size{window.width(), window.height()}), (Size{20, 13})) << "5 % of the fitted 400 × 267";
    EXPECT_EQ(centre(window), (Point{200, 200}));
    window = fitPhotoWindow(window, preview, photo, 60);
    EXPECT_EQ(centre(window), (Point{200, 200}));
    window = fitPhotoWindow(window, preview, photo, 5);
    EXPECT_EQ(centre(window), (Point{200, 200})) << "shrinking back keeps the same centre";

    // Near an edge the window grows inwards and never leaves the preview.
    const Rect corner = fitPhotoWindow({380, 480, 400, 500}, preview, photo, 50);
    EXPECT_EQ(corner.width(), 200);
    EXPECT_EQ((Point{corner.right, corner.bottom}), (Point{400, 500}));
    const Rect whole = fitPhotoWindow({0, 0, 10, 10}, preview, photo, 100);
    EXPECT_EQ((Point{whole.left, whole.top}), (Point{0, 0}));
    EXPECT_EQ(whole.width(), 400);
}

TEST(MattePage, CalendarPageForFebruary2000PrintsItsDaysUnderTheirWeekdays)
{
    MattePage page;
    page.kind = MatteKind::Calendar;
    page.startCalendar(2000, 1);
    page.startCalendar(2026, 11); // only the first use takes the current month
    placeItems(page, {480, 612});
    test::DeviceSetup setup;
    auto log = std::make_shared<test::DeviceLog>();
    test::RecordingPrintDevice device(setup, log);
    ASSERT_TRUE(drawMattePage(device, {&page, nullptr, nullptr, {480, 612}}));
    std::vector<std::string> numbers;
    Point tuesday, day1;
    for (const auto& t : log->texts) {
        if (t.text == "Tue")
            tuesday = t.at;
        if (t.text == "1")
            day1 = t.at;
        if (!t.text.empty() && std::isdigit(static_cast<unsigned char>(t.text[0])) && t.text.size() <= 2)
            numbers.push_back(t.text);
    }
    ASSERT_EQ(numbers.size(), 29u);
    EXPECT_EQ(numbers.back(), "29");
    EXPECT_EQ(day1.x, tuesday.x) << "day 1 stands under Tuesday";
    EXPECT_GT(day1.y, tuesday.y);
}

TEST(MattePage, PrintingShowsThePrintingWindowAndStopsOnCancel)
{
    test::FakeHost host;
    test::FakePrinterCatalog catalog;
    catalog.defaultChoice = PrinterChoice{};
    PrinterState printer;
    printer.setCatalog(&catalog);
    MattePage page;
    page.landscape = true;
    placeItems(page, {480, 370});
    page.upper.text = "Title";
    const Image photo = std::move(Image::create(30, 20, 24)).value();
    const MattePrintJob job{&page, &photo, nullptr, {480, 370}};

    ASSERT_TRUE(printMattePage(printer, host, job));
    ASSERT_FALSE(catalog.created.empty());
    EXPECT_EQ(catalog.created.back().mode.orientation, Orientation::Landscape);
    EXPECT_EQ(printer.selection().orientationOverride(), OrientationOverride::None) << "the override is cleared";
    EXPECT_EQ(host.printingTexts.front(), "  0% Done");
    EXPECT_FALSE(host.printingWindowOpen);
    EXPECT_EQ(catalog.log->count("endDoc"), 1);

    // Cancel pressed while the job runs: the document is dropped and nothing more is drawn.
    catalog.log = std::make_shared<test::DeviceLog>();
    host.printingEventCalls = 0;
    host.cancelPrintAtEvent = 1;
    EXPECT_FALSE(printMattePage(printer, host, job));
    EXPECT_EQ(catalog.log->count("abortDoc"), 1);
    EXPECT_EQ(catalog.log->count("endDoc"), 0);
    EXPECT_TRUE(catalog.log->texts.empty());
    EXPECT_FALSE(host.printingWindowOpen);
}
