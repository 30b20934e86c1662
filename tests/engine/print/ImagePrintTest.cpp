#include "print/ImagePrint.h"

#include "FakeHost.h"
#include "RecordingPrintDevice.h"
#include "image/Image.h"
#include "print/PrinterState.h"

#include <gtest/gtest.h>

namespace gp {
namespace {

using test::FakeHost;
using test::FakePrinterCatalog;

TEST(ImageRectOnPage, CentresButNeverStartsLeftOfThePage)
{
    PrintPlacement p;
    EXPECT_EQ(imageRectOnPage({ 1000, 500 }, p, { 4800, 6120 }), (Rect { 1900, 2810, 2900, 3310 }));
    // Wider and taller than the page: pinned to the top-left corner.
    EXPECT_EQ(imageRectOnPage({ 6000, 7000 }, p, { 4800, 6120 }), (Rect { 0, 0, 6000, 7000 }));
}

TEST(ImageRectOnPage, PositionsAreTenThousandthsOfThePrintableSize)
{
    PrintPlacement p;
    p.centerX = p.centerY = false;
    p.positionX = 5000;
    p.positionY = 2500;
    EXPECT_EQ(imageRectOnPage({ 100, 100 }, p, { 4800, 6120 }), (Rect { 2400, 1530, 2500, 1630 }));
}

TEST(ImageRectOnPage, ScalesInPercentRoundingHalfUp)
{
    PrintPlacement p;
    p.centerX = p.centerY = false;
    p.scaleX = 50;
    p.scaleY = 133;
    // 3 × 50 % = 1.5 → 2; 10 × 133 % = 13.3 → 13
    EXPECT_EQ(imageRectOnPage({ 3, 10 }, p, { 100, 100 }), (Rect { 0, 0, 2, 13 }));
}

struct ImagePrintTest : ::testing::Test {
    FakeHost host;
    FakePrinterCatalog catalog;
    PrinterState printer;
    Image image = Image::create(100, 80, 24).value();
    PrintPlacement placement;

    ImagePrintTest()
    {
        PrinterChoice choice;
        choice.names = { "CUPS", "Office", "local" };
        catalog.defaultChoice = choice;
        catalog.setup.printable = { 1000, 1000 };
        catalog.setup.bandHeight = 300;
        printer.setCatalog(&catalog);
        placement.centerX = placement.centerY = false;
        placement.scaleX = placement.scaleY = 500; // 500 × 400 at (100, 200)
        placement.positionX = 1000;
        placement.positionY = 2000;
    }

    PrintResult print(Banding banding = Banding::On, DocumentRoute route = DocumentRoute::NamedFunctions)
    {
        return printImage(printer, host, &image, placement, banding, route, "Glimmerpress - beach.jpg");
    }
    const test::DeviceLog& log() const { return *catalog.log; }
};

TEST_F(ImagePrintTest, BandsCoverTheImageWithBottomUpSourceRows)
{
    const PrintResult result = print();
    EXPECT_EQ(result, (PrintResult { 0, false }));
    // Bands 0-300, 300-600, 600-900, 900-1000 against the image at rows 200..600.
    ASSERT_EQ(log().stretches.size(), 2u);
    const auto& first = log().stretches[0];
    EXPECT_EQ(first.target, (Rect { 100, 200, 600, 300 }));
    // Rows 0..20 from the top of an 80-row image are stored rows 60..80.
    EXPECT_EQ(first.source, (SourceArea { 0, 60, 100, 20 }));
    const auto& second = log().stretches[1];
    EXPECT_EQ(second.target, (Rect { 100, 300, 600, 600 }));
    EXPECT_EQ(second.source, (SourceArea { 0, 0, 100, 60 }));
    EXPECT_EQ(log().steps,
        (std::vector<std::string> { "setAbortProc", "startDoc:Glimmerpress - beach.jpg", "nextBand", "bandInfo",
            "nextBand", "bandInfo", "nextBand", "bandInfo", "nextBand", "bandInfo", "nextBand", "endDoc" }));
    EXPECT_TRUE(log().destroyed);
}

TEST_F(ImagePrintTest, ProgressAndPrintingWindowFollowTheBands)
{
    (void)print();
    // 300 × 100 / 600 = 50, 600 × 100 / 600 = 100
    EXPECT_EQ(host.printingTexts, (std::vector<std::string> { "  0% Done", " 50% done", "100% done" }));
    EXPECT_FALSE(host.printingWindowOpen);
}

TEST_F(ImagePrintTest, DescriptionGoesTenPixelsUnderThePictureOnce)
{
    placement.description = "A day at the beach in the summer of the year";
    (void)print();
    ASSERT_EQ(log().texts.size(), 1u);
    const auto& t = log().texts[0];
    EXPECT_EQ(t.text, "A day at the beach in the summe"); // 31 characters
    EXPECT_EQ(t.at, (Point { 350, 610 }));
    EXPECT_EQ(t.align, TextAlign::Center);
    EXPECT_TRUE(t.transparent);
    EXPECT_EQ(t.font, FontSpec {});
}

TEST_F(ImagePrintTest, WithoutBandingOneDrawAndAnEndOfPage)
{
    placement.description = "x";
    EXPECT_EQ(print(Banding::Off), (PrintResult { 0, false }));
    ASSERT_EQ(log().stretches.size(), 1u);
    EXPECT_EQ(log().stretches[0].target, (Rect { 100, 200, 600, 600 }));
    EXPECT_EQ(log().stretches[0].source, (SourceArea { 0, 0, 100, 80 }));
    EXPECT_EQ(log().texts.size(), 1u);
    EXPECT_EQ(log().steps,
        (std::vector<std::string> { "setAbortProc", "startDoc:Glimmerpress - beach.jpg", "endPage", "endDoc" }));
}

TEST_F(ImagePrintTest, PicturePartlyOffThePageIsDrawnOnlyWherePrintable)
{
    placement.positionY = 8000; // rows 800..1200 on a 1000-row page
    placement.description = "lost";
    EXPECT_EQ(print().errors, 0u);
    ASSERT_EQ(log().stretches.size(), 2u);
    EXPECT_EQ(log().stretches[0].target, (Rect { 100, 800, 600, 900 }));
    EXPECT_EQ(log().stretches[1].target, (Rect { 100, 900, 600, 1000 }));
    EXPECT_EQ(log().stretches[1].source, (SourceArea { 0, 40, 100, 20 }));
    EXPECT_TRUE(log().texts.empty());
}

TEST_F(ImagePrintTest, ADeviceWithoutNextBandGivesOnlyTheDriverBugMessage)
{
    catalog.setup.refusedEscapes = { Escape::NextBand };
    const PrintResult result = print();
    EXPECT_EQ(result.errors, PrintError::NextBandMissing);
    EXPECT_TRUE(log().stretches.empty());
    EXPECT_EQ(log().count("endDoc"), 1);
    reportPrintErrors(host, result);
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string> { "Driver Bug!  NEXTBAND not implemented." }));
}

TEST_F(ImagePrintTest, FailingNextBandEndsTheLoop)
{
    catalog.setup.results["nextBand#3"] = 0;
    EXPECT_EQ(print().errors, PrintError::NextBandFailed);
    EXPECT_EQ(log().stretches.size(), 2u);
    EXPECT_EQ(log().count("nextBand"), 3);
    EXPECT_EQ(log().count("endDoc"), 1);

    catalog.log = std::make_shared<test::DeviceLog>();
    catalog.setup.results = { { "nextBand#1", -1 } };
    EXPECT_EQ(print().errors, PrintError::NextBandFailed);
    EXPECT_TRUE(log().stretches.empty());
}

TEST_F(ImagePrintTest, BandInfoFailsOrDeclinesGraphics)
{
    catalog.setup.results["bandInfo"] = 0;
    EXPECT_EQ(print().errors, PrintError::BandInfoFailed);
    EXPECT_EQ(log().stretches.size(), 2u);

    catalog.log = std::make_shared<test::DeviceLog>();
    catalog.setup.results.clear();
    catalog.setup.bandInfoWantsGraphics = false;
    EXPECT_EQ(print().errors, 0u);
    EXPECT_TRUE(log().stretches.empty());

    // Without BANDINFO every band wants graphics.
    catalog.log = std::make_shared<test::DeviceLog>();
    catalog.setup.refusedEscapes = { Escape::BandInfo };
    EXPECT_EQ(print().errors, 0u);
    EXPECT_EQ(log().stretches.size(), 2u);
    EXPECT_EQ(log().count("bandInfo"), 0);
}

TEST_F(ImagePrintTest, AFailedStretchIsReportedAndTheJobCompletes)
{
    catalog.setup.stretchFails = true;
    EXPECT_EQ(print().errors, PrintError::StretchFailed);
    EXPECT_EQ(log().count("endDoc"), 1);
}

TEST_F(ImagePrintTest, AFailedStartDrawsNothingAndEndsNothing)
{
    catalog.setup.results["startDoc"] = -1;
    EXPECT_EQ(print().errors, PrintError::StartDocFailed);
    EXPECT_TRUE(log().stretches.empty());
    EXPECT_EQ(log().count("endDoc"), 0);

    catalog.log = std::make_shared<test::DeviceLog>();
    catalog.setup.results = { { "setAbortProc", -1 } };
    EXPECT_EQ(print(Banding::On, DocumentRoute::Escapes).errors, PrintError::SetAbortProcFailed);
    EXPECT_EQ(log().steps, (std::vector<std::string> { "setAbortProc" }));
}

TEST_F(ImagePrintTest, MissingDocumentFunctionsAreNamed)
{
    catalog.setup.missingFunctions = { DocumentFunction::StartDoc };
    EXPECT_EQ(print().errors, PrintError::StartDocMissing);
    EXPECT_TRUE(log().stretches.empty());

    catalog.log = std::make_shared<test::DeviceLog>();
    catalog.setup.missingFunctions = { DocumentFunction::SetAbortProc };
    EXPECT_EQ(print().errors, PrintError::SetAbortProcMissing);
    EXPECT_TRUE(log().steps.empty());

    catalog.log = std::make_shared<test::DeviceLog>();
    catalog.setup.missingFunctions = { DocumentFunction::EndPage, DocumentFunction::EndDoc };
    EXPECT_EQ(print(Banding::Off).errors, PrintError::EndPageMissing | PrintError::EndDocMissing);
    EXPECT_EQ(log().stretches.size(), 1u);
}

TEST_F(ImagePrintTest, EscapeRouteReportsEndStepFailuresAndSkipsUnsupportedEscapes)
{
    catalog.setup.refusedEscapes = { Escape::SetAbortProc };
    catalog.setup.results = { { "endPage", -1 }, { "endDoc", -1 } };
    EXPECT_EQ(
        print(Banding::Off, DocumentRoute::Escapes).errors, PrintError::NewFrameFailed | PrintError::EndDocFailed);
    EXPECT_EQ(log().count("setAbortProc"), 0);
    EXPECT_EQ(log().stretches.size(), 1u);
}

TEST_F(ImagePrintTest, CancelStopsTheJobWithoutEndOfDocumentOrMessages)
{
    host.cancelPrintAtEvent = 2; // during the second band
    const PrintResult result = print();
    EXPECT_TRUE(result.aborted);
    EXPECT_EQ(result.errors, PrintError::NextBandFailed);
    EXPECT_EQ(log().stretches.size(), 1u);
    EXPECT_EQ(log().count("endDoc"), 0);
    EXPECT_EQ(log().count("jobAborted"), 1);
    reportPrintErrors(host, result);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(ImagePrintTest, NoImageOrNoPrinter)
{
    EXPECT_EQ(printImage(printer, host, nullptr, placement, Banding::On, DocumentRoute::NamedFunctions, "x"),
        (PrintResult { PrintError::NoImage, false }));
    catalog.createFails = true;
    const PrintResult result = print();
    EXPECT_EQ(result, (PrintResult { PrintError::NoPrinterContext, false }));
    EXPECT_TRUE(host.printingTexts.empty());
    reportPrintErrors(host, result);
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string> { "Couldn't get a printer DC." }));
}

TEST(ReportPrintErrors, OneBoxPerBitFromTheLowest)
{
    FakeHost host;
    reportPrintErrors(host, { PrintError::NextBandFailed | PrintError::StartDocFailed, false });
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "Error during STARTDOC.");
    EXPECT_EQ(host.messages[1].text, "Error during NEXTBAND.");
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].buttons, Buttons::Ok);

    host.messages.clear();
    reportPrintErrors(host, { 0, false });
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string> { "No error while printing." }));

    // Bits beyond the table have no text and beep.
    host.messages.clear();
    reportPrintErrors(host, { PrintError::LoadPrinterFailed | (1u << 20), false });
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string> { "Could not Load printer." }));
    EXPECT_EQ(host.beeps, 1);
}

} // namespace
} // namespace gp
