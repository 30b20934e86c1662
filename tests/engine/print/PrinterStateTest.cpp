#include "print/PrinterState.h"

#include "FakeHost.h"
#include "RecordingPrintDevice.h"

#include <gtest/gtest.h>

namespace gp {
namespace {

using test::FakeHost;
using test::FakePrinterCatalog;

PrinterChoice queue(std::string name, Orientation orientation = Orientation::Portrait)
{
    PrinterChoice c;
    c.names = { "CUPS", std::move(name), "local" };
    c.mode.orientation = orientation;
    return c;
}

struct PrinterStateTest : ::testing::Test {
    FakeHost host;
    FakePrinterCatalog catalog;
    PrinterState printer;

    PrinterStateTest()
    {
        catalog.defaultChoice = queue("Office");
        catalog.setup.printable = { 4000, 5000 };
        printer.setCatalog(&catalog);
    }
};

TEST_F(PrinterStateTest, FirstOpenTakesTheDefaultPrinterAndMeasuresThePage)
{
    auto device = printer.openContext();
    ASSERT_TRUE(device);
    ASSERT_TRUE(printer.selection().choice());
    EXPECT_EQ(printer.selection().choice()->names.device, "Office");
    EXPECT_EQ(printer.geometry().printableWidth, 4000);
    EXPECT_EQ(printer.layoutPageSize(), (Size { 4000, 5000 }));
    printer.setWholeInchPage(true);
    EXPECT_EQ(printer.layoutPageSize(), (Size { 3600, 4800 }));
}

TEST_F(PrinterStateTest, NoPrinterOrNoContextLeavesTheFallbackPage)
{
    auto device = printer.openContext();
    ASSERT_TRUE(device);
    ASSERT_NE(printer.geometry(), fallbackPageGeometry());

    catalog.createFails = true;
    EXPECT_FALSE(printer.openContext());
    EXPECT_EQ(printer.geometry(), fallbackPageGeometry());

    PrinterState noPrinter;
    FakePrinterCatalog empty;
    noPrinter.setCatalog(&empty);
    EXPECT_FALSE(noPrinter.openContext());
    EXPECT_TRUE(empty.created.empty());
    EXPECT_EQ(noPrinter.geometry(), fallbackPageGeometry());
}

TEST_F(PrinterStateTest, CopiesAreWrittenIntoEveryOpenWithinOneToNinetyNine)
{
    printer.selection().setCopies(3);
    (void)printer.openContext();
    printer.selection().setCopies(250);
    (void)printer.openContext();
    printer.selection().setCopies(0);
    (void)printer.openContext();
    ASSERT_EQ(catalog.created.size(), 3u);
    EXPECT_EQ(catalog.created[0].mode.copies, 3);
    EXPECT_EQ(catalog.created[1].mode.copies, 99);
    EXPECT_EQ(catalog.created[2].mode.copies, 1);
}

TEST_F(PrinterStateTest, AnOpenWithoutOverrideRestoresThePrintersOwnOrientation)
{
    catalog.defaultChoice = queue("Office", Orientation::Portrait);
    printer.selection().setOrientationOverride(OrientationOverride::Landscape);
    (void)printer.openContext();
    (void)printer.openContext();
    printer.selection().setOrientationOverride(OrientationOverride::None);
    (void)printer.openContext();
    (void)printer.openContext();
    ASSERT_EQ(catalog.created.size(), 4u);
    EXPECT_EQ(catalog.created[0].mode.orientation, Orientation::Landscape);
    EXPECT_EQ(catalog.created[1].mode.orientation, Orientation::Landscape);
    EXPECT_EQ(catalog.created[2].mode.orientation, Orientation::Portrait);
    EXPECT_EQ(catalog.created[3].mode.orientation, Orientation::Portrait);

    // The saved value is the printer's own, not the first override's: a landscape printer
    // forced to portrait and back comes back landscape.
    PrinterState other;
    FakePrinterCatalog landscape;
    landscape.defaultChoice = queue("Wide", Orientation::Landscape);
    other.setCatalog(&landscape);
    other.selection().setOrientationOverride(OrientationOverride::Portrait);
    (void)other.openContext();
    other.selection().setOrientationOverride(OrientationOverride::Landscape);
    (void)other.openContext();
    other.selection().setOrientationOverride(OrientationOverride::Portrait);
    (void)other.openContext();
    other.selection().setOrientationOverride(OrientationOverride::None);
    (void)other.openContext();
    EXPECT_EQ(landscape.created.back().mode.orientation, Orientation::Landscape);
}

TEST_F(PrinterStateTest, SetupReplacesTheSelectionAndCancelKeepsIt)
{
    (void)printer.openContext();
    host.printerChoices.push_back(queue("Studio"));
    EXPECT_TRUE(printer.printerSetup(host));
    ASSERT_EQ(host.printerDialogStarts.size(), 1u);
    EXPECT_EQ(host.printerDialogStarts[0]->names.device, "Office");
    EXPECT_EQ(printer.selection().choice()->names.device, "Studio");

    host.printerChoices.push_back(std::nullopt);
    EXPECT_FALSE(printer.printerSetup(host));
    EXPECT_EQ(printer.selection().choice()->names.device, "Studio");
}

TEST_F(PrinterStateTest, ASettingsChangeMakesTheNextSetupStartFromTheDefaultPrinter)
{
    printer.selection().setChoice(queue("Studio"));
    EXPECT_FALSE(printer.selection().settingsChanged("devices"));
    EXPECT_FALSE(printer.selection().isStale());
    EXPECT_TRUE(printer.selection().settingsChanged("windows"));
    EXPECT_TRUE(printer.selection().settingsChanged(std::nullopt));
    EXPECT_TRUE(printer.selection().isStale());

    EXPECT_FALSE(printer.printerSetup(host));
    ASSERT_EQ(host.printerDialogStarts.size(), 1u);
    EXPECT_EQ(host.printerDialogStarts[0]->names.device, "Office");
    EXPECT_FALSE(printer.selection().isStale());
    EXPECT_FALSE(printer.selection().choice());
}

TEST_F(PrinterStateTest, SetupIsNotReentered)
{
    host.printerChoices.push_back(queue("Studio"));
    host.duringPrinterDialog = [&] { EXPECT_FALSE(printer.printerSetup(host)); };
    EXPECT_TRUE(printer.printerSetup(host));
    EXPECT_EQ(host.printerDialogStarts.size(), 1u);
}

} // namespace
} // namespace gp
