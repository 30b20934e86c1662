// The editing dialogs driven as a user would, through the window program's Host on the engine's
// App: the values they hand back and what the commands then do to a known image. Also the Photo
// CD options, the scanner's events in the message loop and F1 inside a dialog.

#include "DialogsTest.h"
#include "QtRequire.h"

#include "FakeHost.h"
#include "FrameFixture.h"
#include "SaneTestDevice.h"
#include "TempDir.h"
#include "dialogs/BrightnessContrastDialog.h"
#include "dialogs/EffectBrowser.h"
#include "dialogs/FilterDialog.h"
#include "dialogs/HelpViewer.h"
#include "dialogs/HueSaturationDialog.h"
#include "dialogs/ImageSizeDialog.h"
#include "dialogs/PhotoCdOptionsDialog.h"
#include "dialogs/PreviewPane.h"
#include "dialogs/RotateDialog.h"
#include "dialogs/ToneDialog.h"
#include "frame/MainFrame.h"
#include "frame/QtHost.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "skin/ButtonBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDial>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

using namespace gp;
using namespace gp::ui;

namespace {

// An image of the given size whose left `split` columns have one colour and the rest another.
Image twoColours(int w, int h, int split, QColor left, QColor right)
{
    Image image = Image::create(w, h, 24).value();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QColor& c = x < split ? left : right;
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = std::uint8_t(c.blue());
            p[1] = std::uint8_t(c.green());
            p[2] = std::uint8_t(c.red());
        }
    return image;
}

QColor pixel(const Image& image, int x, int y)
{
    const std::uint8_t* p = image.row(y) + 3 * x;
    return QColor(p[2], p[1], p[0]);
}

// Runs act on the modal dialog of type T as soon as the command under test shows it.
template <typename T> void whenShown(std::function<void(T&)> act)
{
    auto* poll = new QTimer;
    auto rounds = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, act, rounds] {
        auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
        if (!dialog && ++*rounds < 500)
            return;
        poll->stop();
        poll->deleteLater();
        if (dialog)
            act(*dialog);
    });
    poll->start(10);
}

template <typename T> T& child(QWidget& parent, const char* name)
{
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return *found;
}

// Types over the field's whole text, as a user who selected it first.
void typeInto(QLineEdit& field, const QString& text)
{
    field.selectAll();
    QTest::keyClicks(&field, text);
}

void pressOk(QDialog& dialog)
{
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

void pressCancel(QDialog& dialog)
{
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
}

// Waits (inside the dialog's own loop) until the After window shows the colour at its centre.
bool afterShows(PreviewDialog& dialog, QColor colour)
{
    for (int round = 0; round < 100; ++round) {
        const QImage& shown = dialog.afterPane()->shownImage();
        if (!shown.isNull() && shown.pixelColor(shown.width() / 2, shown.height() / 2) == colour)
            return true;
        QTest::qWait(20);
    }
    return false;
}

// The window program's Host on an App with one photo open.
struct Fixture {
    test::TempDir dir;
    QtHost host;
    App app { host, Paths { dir.path(), dir.path(), dir.path(), dir.path() } };

    Document& open(Image image)
    {
        app.currentName() = (dir / "photo.bmp").string();
        return *app.newDocument(std::move(image));
    }
};

} // namespace

void DialogsTest::rotateDialogTurnsTheDocument()
{
    Fixture f;
    Document& document = f.open(twoColours(40, 20, 10, Qt::red, Qt::blue));
    const Image before = document.image().clone();

    bool dialFollows = false;
    whenShown<RotateDialog>([&](RotateDialog& dialog) {
        auto& field = child<QLineEdit>(dialog, "degrees");
        typeInto(field, QStringLiteral("-90"));
        dialFollows = child<QDial>(dialog, "dial").value() == 270;
        pressOk(dialog);
    });
    QCOMPARE(f.app.execute(command::RotateByDegrees), 1);
    QVERIFY(dialFollows);
    // −90 typed (counter-clockwise) is a quarter turn clockwise.
    QCOMPARE(document.image().width(), 20);
    QCOMPARE(document.image().height(), 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 20; ++x)
            QCOMPARE(pixel(document.image(), x, y), pixel(before, y, 19 - x));
    QCOMPARE(f.app.transformMemory().lastAngle, 270);

    // The field starts at the last angle; Cancel turns nothing.
    QString shownAngle;
    whenShown<RotateDialog>([&](RotateDialog& dialog) {
        shownAngle = child<QLineEdit>(dialog, "degrees").text();
        pressCancel(dialog);
    });
    QCOMPARE(f.app.execute(command::RotateByDegrees), 0);
    QCOMPARE(shownAngle, QStringLiteral("270"));
    QCOMPARE(document.image().width(), 20);
}

void DialogsTest::rotateDialogRefusesANonNumber()
{
    test::FakeHost host;
    RotateDialogModel model(0);
    RotateDialog dialog(nullptr, model, host);
    dialog.show();
    auto& field = child<QLineEdit>(dialog, "degrees");
    typeInto(field, QStringLiteral("ninety"));
    pressOk(dialog);
    QCOMPARE(host.beeps, 1);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    typeInto(field, QStringLiteral("725"));
    pressOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(model.acceptedAngle(), 5);
}

void DialogsTest::imageSizeKeepsProportionsAndMakesANewDocument()
{
    Fixture f;
    Document& document = f.open(twoColours(200, 100, 100, Qt::black, Qt::white));

    QString height, widthScale, heightScale, unkeptHeight;
    whenShown<ImageSizeDialog>([&](ImageSizeDialog& dialog) {
        QVERIFY(child<QCheckBox>(dialog, "keepAspect").isChecked());
        typeInto(child<QLineEdit>(dialog, "width"), QStringLiteral("50"));
        height = child<QLineEdit>(dialog, "height").text();
        widthScale = child<QLineEdit>(dialog, "widthScale").text();
        heightScale = child<QLineEdit>(dialog, "heightScale").text();
        pressOk(dialog);
    });
    QCOMPARE(f.app.execute(command::ImageSize), 0);
    // 50 of 200 pixels is a quarter, in both directions.
    QCOMPARE(height, QStringLiteral("25"));
    QCOMPARE(widthScale, QStringLiteral("25"));
    QCOMPARE(heightScale, QStringLiteral("25"));
    QCOMPARE(f.app.documents().count(), 2u);
    const Document* resampled = f.app.activeDocument();
    QVERIFY(resampled != &document);
    QCOMPARE(resampled->image().width(), 50);
    QCOMPARE(resampled->image().height(), 25);
    QVERIFY(QString::fromStdString(resampled->title()).startsWith(QStringLiteral("Untitled-Resampled")));
    QCOMPARE(pixel(resampled->image(), 5, 5), QColor(Qt::black));
    QCOMPARE(pixel(resampled->image(), 45, 20), QColor(Qt::white));
    QCOMPARE(document.image().width(), 200);

    // Without the box ticked the height stays; the choice is remembered for the next opening.
    whenShown<ImageSizeDialog>([&](ImageSizeDialog& dialog) {
        child<QCheckBox>(dialog, "keepAspect").click();
        typeInto(child<QLineEdit>(dialog, "width"), QStringLiteral("60"));
        unkeptHeight = child<QLineEdit>(dialog, "height").text();
        pressCancel(dialog);
    });
    QCOMPARE(f.app.execute(command::ImageSize), 0);
    QCOMPARE(unkeptHeight, QStringLiteral("25"));
    QVERIFY(!f.app.transformMemory().keepAspect);
    QCOMPARE(f.app.documents().count(), 2u);
}

void DialogsTest::imageSizeChangesOnlyTheResolutionWhenAsked()
{
    Fixture f;
    Document& document = f.open(twoColours(30, 20, 10, Qt::black, Qt::white));
    whenShown<ImageSizeDialog>([&](ImageSizeDialog& dialog) {
        typeInto(child<QLineEdit>(dialog, "resolution"), QStringLiteral("300"));
        whenShown<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
        pressOk(dialog);
    });
    QCOMPARE(f.app.execute(command::ImageSize), 1);
    QCOMPARE(f.app.documents().count(), 1u);
    QCOMPARE(document.image().width(), 30);
    QCOMPARE(document.image().xPelsPerMeter(), 11811);
    QCOMPARE(document.image().yPelsPerMeter(), 11811);
}

void DialogsTest::imageSizeBeepsAtUnchangedOrBadValues()
{
    test::FakeHost host;
    const Image image = twoColours(200, 100, 50, Qt::black, Qt::white);
    ImageSizeModel model(image, true);
    ImageSizeDialog dialog(nullptr, model, host);
    dialog.show();
    QCOMPARE(child<QLabel>(dialog, "dataSize").text(), QStringLiteral("59 KB"));
    pressOk(dialog);
    QCOMPARE(host.beeps, 1);
    QVERIFY(dialog.isVisible());

    auto& width = child<QLineEdit>(dialog, "width");
    typeInto(width, QStringLiteral("4x"));
    QVERIFY(host.beeps >= 2);
    const int beeps = host.beeps;
    typeInto(width, QStringLiteral("0"));
    pressOk(dialog);
    QCOMPARE(host.beeps, beeps + 1);
    QVERIFY(dialog.isVisible());

    auto& heightScale = child<QLineEdit>(dialog, "heightScale");
    typeInto(heightScale, QStringLiteral("200"));
    QCOMPARE(child<QLineEdit>(dialog, "height").text(), QStringLiteral("200"));
    QCOMPARE(width.text(), QStringLiteral("400"));
    QCOMPARE(child<QLabel>(dialog, "dataSize").text(), QStringLiteral("235 KB"));
    pressOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(model.width(), 400);
    QCOMPARE(model.height(), 200);
}

void DialogsTest::photoCdOptionsPresetAndAnswer()
{
    Fixture f;
    PhotoCdDialog options;
    options.title = "Photo CD Options";
    options.dataTypeLabel = "Data Type";
    options.dataTypes = { "24-bit RGB", "8-bit Grayscale" };
    options.resolutionLabel = "Resolution";
    options.resolutions = { "Thumbnail", "Small", "Medium", "Large", "Full" };
    options.dataType = 0;
    options.resolution = 2;

    QString title, resolution;
    whenShown<PhotoCdOptionsDialog>([&](PhotoCdOptionsDialog& dialog) {
        title = dialog.windowTitle();
        resolution = child<QComboBox>(dialog, "resolution").currentText();
        child<QComboBox>(dialog, "dataType").setCurrentIndex(1);
        child<QComboBox>(dialog, "resolution").setCurrentIndex(3);
        pressOk(dialog);
    });
    const auto choice = f.host.choosePhotoCdOptions(options);
    QCOMPARE(title, QStringLiteral("Photo CD Options"));
    QCOMPARE(resolution, QStringLiteral("Medium"));
    QVERIFY(choice.has_value());
    QCOMPARE(choice->dataType, 1);
    QCOMPARE(choice->resolution, 3);

    whenShown<PhotoCdOptionsDialog>([](PhotoCdOptionsDialog& dialog) { pressCancel(dialog); });
    QVERIFY(!f.host.choosePhotoCdOptions(options).has_value());
}

void DialogsTest::brightnessContrastPreviewsAndApplies()
{
    Fixture f;
    const QColor gray(100, 100, 100);
    Document& document = f.open(twoColours(30, 30, 30, gray, gray));

    // Cancel changes nothing, whatever the sliders showed.
    whenShown<BrightnessContrastDialog>([](BrightnessContrastDialog& dialog) {
        child<QScrollBar>(dialog, "brightness").setValue(200);
        pressCancel(dialog);
    });
    QCOMPARE(f.app.execute(command::BrightnessContrast), 0);
    QCOMPARE(pixel(document.image(), 3, 3), gray);

    QString echo;
    bool previewed = false;
    whenShown<BrightnessContrastDialog>([&](BrightnessContrastDialog& dialog) {
        child<QScrollBar>(dialog, "brightness").setValue(148);
        echo = child<QLabel>(dialog, "brightnessText").text();
        previewed = afterShows(dialog, QColor(120, 120, 120));
        child<QRadioButton>(dialog, "channelRed").click();
        previewed = previewed && afterShows(dialog, QColor(120, 100, 100));
        pressOk(dialog);
    });
    QCOMPARE(f.app.execute(command::BrightnessContrast), 1);
    QCOMPARE(echo, QStringLiteral("20"));
    QVERIFY(previewed);
    QCOMPARE(pixel(document.image(), 3, 3), QColor(120, 100, 100));
    QCOMPARE(pixel(document.image(), 29, 29), QColor(120, 100, 100));
}

void DialogsTest::grayscaleOffersOnlyTheGrayChannel()
{
    test::FakeHost host;
    const Allocator allocator(host);
    const Image image = twoColours(8, 8, 4, Qt::black, Qt::white);
    BrightnessContrastModel model(true);
    BrightnessContrastDialog dialog(nullptr, model, image, allocator, [](const Image&) { return std::nullopt; });
    auto& all = child<QRadioButton>(dialog, "channelAll");
    QCOMPARE(all.text(), QStringLiteral("Gray"));
    QVERIFY(all.isChecked());
    for (const char* name : { "channelRed", "channelGreen", "channelBlue" })
        QVERIFY(!child<QRadioButton>(dialog, name).isEnabled());
    QCOMPARE(child<QLabel>(dialog, "contrastText").text(), QStringLiteral("0"));
}

void DialogsTest::hueSaturationTurnsRedIntoGreen()
{
    Fixture f;
    Document& document = f.open(twoColours(20, 20, 10, Qt::red, QColor(80, 80, 80)));
    QString hueEcho, saturationEcho;
    bool previewed = false;
    whenShown<HueSaturationDialog>([&](HueSaturationDialog& dialog) {
        saturationEcho = child<QLabel>(dialog, "saturationText").text();
        child<QScrollBar>(dialog, "hue").setValue(300);
        hueEcho = child<QLabel>(dialog, "hueText").text();
        // The centre of the sample lies on the gray half, which never changes.
        previewed = afterShows(dialog, QColor(80, 80, 80));
        pressOk(dialog);
    });
    QCOMPARE(f.app.execute(command::HueSaturation), 1);
    QCOMPARE(saturationEcho, QStringLiteral("0%"));
    QCOMPARE(hueEcho, QStringLiteral("120"));
    QVERIFY(previewed);
    QCOMPARE(pixel(document.image(), 2, 2), QColor(Qt::green));
    QCOMPARE(pixel(document.image(), 15, 2), QColor(80, 80, 80));
}

void DialogsTest::toneAutoClipsTheUnusedLevels()
{
    Fixture f;
    Document& document = f.open(twoColours(20, 10, 10, QColor(20, 20, 20), QColor(230, 230, 230)));
    QString highlight, shadow;
    int highlightBar = 0;
    whenShown<ToneDialog>([&](ToneDialog& dialog) {
        child<QPushButton>(dialog, "auto").click();
        highlight = child<QLabel>(dialog, "highlightText").text();
        shadow = child<QLabel>(dialog, "shadowText").text();
        highlightBar = child<QScrollBar>(dialog, "highlight").value();
        pressOk(dialog);
    });
    QCOMPARE(f.app.execute(command::ToneAdjustment), 1);
    QCOMPARE(highlight, QStringLiteral("13"));
    QCOMPARE(shadow, QStringLiteral("-10"));
    QCOMPARE(highlightBar, 13);
    QCOMPARE(pixel(document.image(), 0, 0), QColor(0, 0, 0));
    QCOMPARE(pixel(document.image(), 19, 9), QColor(255, 255, 255));
}

void DialogsTest::blurDialogKeepsItsIntensity()
{
    Fixture f;
    Document& document = f.open(twoColours(40, 10, 20, Qt::black, Qt::white));
    QString title, startEcho;
    whenShown<FilterDialog>([&](FilterDialog& dialog) {
        title = dialog.windowTitle();
        startEcho = child<QLabel>(dialog, "intensityText").text();
        child<QScrollBar>(dialog, "intensity").setValue(90);
        pressOk(dialog);
    });
    QCOMPARE(f.app.execute(command::Blur), 1);
    QCOMPARE(title, QStringLiteral("Blur"));
    QCOMPARE(startEcho, QStringLiteral("50"));
    QCOMPARE(f.app.editingMemory().intensity(command::Blur), 90);
    // Nine taps soften the edge; far from it the picture stays.
    const int edge = pixel(document.image(), 19, 5).red();
    QVERIFY(edge > 0 && edge < 255);
    QCOMPARE(pixel(document.image(), 2, 5), QColor(Qt::black));
    QCOMPARE(pixel(document.image(), 37, 5), QColor(Qt::white));

    int reopened = 0;
    whenShown<FilterDialog>([&](FilterDialog& dialog) {
        reopened = child<QScrollBar>(dialog, "intensity").value();
        pressCancel(dialog);
    });
    const Image blurred = document.image().clone();
    QCOMPARE(f.app.execute(command::Blur), 0);
    QCOMPARE(reopened, 90);
    QCOMPARE(pixel(document.image(), 19, 5), pixel(blurred, 19, 5));
}

void DialogsTest::effectBrowserAppliesTheChosenEffect()
{
    Fixture f;
    Document& document = f.open(twoColours(30, 30, 15, Qt::black, Qt::white));
    int row = -1, startIntensity = 0;
    whenShown<EffectBrowser>([&](EffectBrowser& dialog) {
        auto& effects = child<QListWidget>(dialog, "effects");
        startIntensity = child<QScrollBar>(dialog, "intensity").value();
        effects.setCurrentRow(8);
        row = effects.currentRow();
        child<QScrollBar>(dialog, "intensity").setValue(100);
        pressOk(dialog);
    });
    // Painting opens the browser; the user picks Mosaic instead.
    QCOMPARE(f.app.execute(command::EffectFirst), 1);
    QCOMPARE(startIntensity, 75);
    QCOMPARE(row, 8);
    QCOMPARE(f.app.editingMemory().currentEffectCommand(), 308);
    QCOMPARE(f.app.editingMemory().intensity(308), 100);
    // 25 by 25 blocks from the bottom left: 15 black and 10 white columns average to 102.
    const Image& image = document.image();
    QCOMPARE(pixel(image, 0, 29), QColor(102, 102, 102));
    QCOMPARE(pixel(image, 24, 5), QColor(102, 102, 102));
    QCOMPARE(pixel(image, 27, 29), QColor(Qt::white));
}

void DialogsTest::panModeCropsAndFollowsTheMouse()
{
    test::FakeHost host;
    const Allocator allocator(host);
    const Image image = twoColours(400, 300, 200, Qt::black, Qt::white);
    FilterDialogModel model(command::Sharpen, 50);
    FilterDialog dialog(nullptr, model, image, allocator, [](const Image&) { return std::nullopt; });
    dialog.show();
    PreviewPane* before = dialog.beforePane();
    // Fitted: the whole width in the inner 206 pixels.
    QCOMPARE(before->shownImage().width(), 206);
    QCOMPARE(before->shownImage().height(), 155);

    child<QCheckBox>(dialog, "panMode").click();
    QCOMPARE(before->shownImage().size(), QSize(206, 206));
    const Rect centred = dialog.session().panRect();
    QCOMPARE(centred.left, 97);
    QCOMPARE(centred.top, 47);

    const auto send = [before](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, before->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
            buttons, Qt::NoModifier);
        QApplication::sendEvent(before, &event);
    };
    send(QEvent::MouseButtonPress, { 100, 100 }, Qt::LeftButton);
    send(QEvent::MouseMove, { 110, 95 }, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, { 110, 95 }, Qt::NoButton);
    QCOMPARE(dialog.session().panRect().left, 107);
    QCOMPARE(dialog.session().panRect().top, 42);
    // The crop straddles the black and white halves at column 200 of the source.
    QCOMPARE(before->shownImage().pixelColor(92, 100), QColor(Qt::black));
    QCOMPARE(before->shownImage().pixelColor(93, 100), QColor(Qt::white));
    dialog.reject();
}

void DialogsTest::scannerImagesArriveThroughTheMessageLoop()
{
    const std::string missing = test::saneTestBackendMissing();
    GLIMMER_QREQUIRE(missing.empty(), missing);
    test::FrameFixture<QtHost> f({ .builtLibraries = true, .shown = true, .configHome = true });
    App& app = *f.app;
    MainFrame& frame = *f.frame;
    Acquisition& acquisition = app.acquisition();
    acquisition.setSourceName("test:0");
    acquisition.setMultiScan(false);

    frame.runCommand(command::Acquire);
    QVERIFY(acquisition.sourceOpen());
    QDialog* source = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QStringLiteral("sourceDialog") && widget->isVisible())
            source = qobject_cast<QDialog*>(widget);
    QVERIFY(source);
    QCOMPARE(source->parentWidget(), &frame);
    QVERIFY(!frame.isEnabled());
    QVERIFY2(source->isEnabled(), "the scanner's dialog stays usable while the frame waits");

    source->findChild<QPushButton*>(QStringLiteral("scan"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(app.documents().count(), 1u, 10000);
    QCOMPARE(app.activeDocument()->title(), std::string("Untitled-Acquired-00"));
    QTRY_VERIFY(!acquisition.sourceOpen());
    QVERIFY(frame.isEnabled());
}

void DialogsTest::f1InADialogOpensTheScreensHelp()
{
    test::TempDir dir;
    std::filesystem::copy_file(GLIMMER_DEFAULT_INI, dir / "GLMPRESS.INI");
    Paths paths;
    paths.settingsDir = dir.path();
    paths.programDir = GLIMMER_BUILD_DATADIR;
    paths.dataDir = dir / "data";
    paths.libraryDir = dir / "lib";
    test::FakeHost host;
    App app(host, paths);
    MainFrame frame(app, false, 24);
    frame.show();

    QDialog dialog(&frame);
    auto* field = new QLineEdit(&dialog);
    dialog.show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_F1);
    HelpViewer* viewer = nullptr;
    QTRY_VERIFY([&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* candidate = qobject_cast<HelpViewer*>(widget); candidate && candidate->isVisible())
                viewer = candidate;
        return viewer != nullptr;
    }());
    QVERIFY(viewer->source().endsWith(QStringLiteral("screen0.html")));
    QVERIFY2(field->text().isEmpty(), "F1 is taken by help, not typed");
    viewer->close();
}

void DialogsTest::buttonHintsFollowTheMouse()
{
    struct HintHost : test::FakeHost {
        std::vector<std::string> hints;
        void setStatus(StatusPane pane, std::string_view text) override
        {
            if (pane == StatusPane::Help)
                hints.emplace_back(text);
        }
    };
    test::TempDir dir;
    std::filesystem::copy_file(GLIMMER_DEFAULT_INI, dir / "GLMPRESS.INI");
    Paths paths;
    paths.settingsDir = dir.path();
    paths.programDir = GLIMMER_BUILD_DATADIR;
    paths.dataDir = dir / "data";
    paths.libraryDir = dir / "lib";
    HintHost host;
    App app(host, paths);
    MainFrame frame(app, false, 24);
    frame.show();
    ButtonBar* bar = frame.buttonBar();
    const auto moveTo = [bar](QPoint at) {
        QMouseEvent event(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    };
    // Get Photos, then a few more moves over it, then Printer Setup, then the empty margin.
    for (int step = 0; step < 4; ++step)
        moveTo({ 90 + step, 98 });
    moveTo({ 700, 380 });
    moveTo({ 175, 580 });
    const std::vector<std::string> expected
        = { "Open an album and choose photos for the page", "Choose the printer or a PDF file", "" };
    QCOMPARE(host.hints, expected);
}

QTEST_MAIN(DialogsTest)
