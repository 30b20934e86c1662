// The source's own dialog, driven as a user would, with the program's acquisition client and
// an application-wide event filter standing in for the program's message loop.

#include "ExternalTools.h"
#include "FakeHost.h"
#include "SaneTestDevice.h"
#include "TempDir.h"
#include "app/App.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace gp;

namespace {

// Passes every event of the program to the acquisition client, as the message loop does.
class AcquisitionFilter : public QObject {
public:
    explicit AcquisitionFilter(Acquisition& acquisition)
        : m_acquisition(&acquisition)
    {
    }
    bool eventFilter(QObject*, QEvent* event) override { return m_acquisition->filterEvent(event); }

private:
    Acquisition* m_acquisition;
};

QDialog* sourceDialog()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "sourceDialog" && widget->isVisible())
            return qobject_cast<QDialog*>(widget);
    return nullptr;
}

// Runs the event loop until the condition holds or a generous number of rounds has passed.
template <typename Condition> bool pumpUntil(Condition condition)
{
    for (int round = 0; round < 200 && !condition(); ++round)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

class SourceDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string missing = test::saneTestBackendMissing();
        GLIMMER_REQUIRE(missing.empty(), missing);
        setenv("XDG_CONFIG_HOME", m_dir.path().c_str(), 1);
        m_paths.settingsDir = m_dir.path();
        m_paths.libraryDir = GLIMMER_BUILD_LIBDIR;
    }

    test::TempDir m_dir;
    Paths m_paths;
    int m_argc = 1;
    char m_name[8] = "twain";
    char* m_argv[2] = { m_name, nullptr };
};

} // namespace

TEST_F(SourceDialogTest, MultiScanKeepsTheDialogOpenBetweenScansUntilTheUserClosesIt)
{
    QApplication qtApp(m_argc, m_argv);
    test::FakeHost host;
    App app(host, m_paths);
    Acquisition& acquisition = app.acquisition();
    acquisition.setMultiScan(true);
    acquisition.setSourceName("test:0");
    AcquisitionFilter filter(acquisition);
    qtApp.installEventFilter(&filter);

    acquisition.acquire();
    ASSERT_TRUE(acquisition.sourceOpen());
    EXPECT_EQ(acquisition.transferState(), 3);
    EXPECT_FALSE(host.frameEnabled) << "the main frame waits while the source's dialog is up";
    QDialog* dialog = sourceDialog();
    ASSERT_NE(dialog, nullptr);
    auto* mode = dialog->findChild<QComboBox*>("mode");
    ASSERT_NE(mode, nullptr);
    EXPECT_GE(mode->findText("Color"), 0) << "the device's own modes are offered";
    auto* scan = dialog->findChild<QPushButton*>("scan");
    ASSERT_NE(scan, nullptr);

    mode->setCurrentText("Color");
    dialog->findChild<QDoubleSpinBox*>("resolution")->setValue(25);
    scan->click();
    ASSERT_TRUE(pumpUntil([&] { return app.documents().count() == 1; }));
    const Document* first = app.activeDocument();
    EXPECT_EQ(first->title(), "Untitled-Acquired-00");
    EXPECT_EQ(first->image().xPelsPerMeter(), 984) << "25 dpi from the dialog";

    // The link stays open and the same dialog takes the next scan.
    EXPECT_TRUE(acquisition.sourceOpen());
    ASSERT_EQ(sourceDialog(), dialog);
    EXPECT_TRUE(scan->isEnabled());
    scan->click();
    ASSERT_TRUE(pumpUntil([&] { return app.documents().count() == 2; }));
    EXPECT_EQ(app.activeDocument()->title(), "Untitled-Acquired-01");
    EXPECT_EQ(app.activeDocument()->image().width(), first->image().width());

    dialog->findChild<QPushButton*>("close")->click();
    ASSERT_TRUE(pumpUntil([&] { return !acquisition.sourceOpen(); }));
    EXPECT_FALSE(acquisition.managerOpen());
    EXPECT_EQ(sourceDialog(), nullptr);
    EXPECT_TRUE(host.frameEnabled);
    EXPECT_TRUE(host.messages.empty());
    qtApp.removeEventFilter(&filter);
}

TEST_F(SourceDialogTest, SingleScanClosesTheLinkAfterTheImage)
{
    QApplication qtApp(m_argc, m_argv);
    test::FakeHost host;
    App app(host, m_paths);
    Acquisition& acquisition = app.acquisition();
    acquisition.setMultiScan(false);
    acquisition.setMemoryScan(true);
    acquisition.setSourceName("test:1");
    AcquisitionFilter filter(acquisition);
    qtApp.installEventFilter(&filter);

    acquisition.acquire();
    QDialog* dialog = sourceDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QPushButton*>("scan")->click();
    ASSERT_TRUE(pumpUntil([&] { return !acquisition.sourceOpen(); }));
    EXPECT_EQ(app.documents().count(), 1u);
    EXPECT_EQ(sourceDialog(), nullptr);
    EXPECT_TRUE(host.frameEnabled);
    qtApp.removeEventFilter(&filter);
}
