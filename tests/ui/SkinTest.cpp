// The built skins and the skinned controls: skin parsing, hit testing, the mouse protocol with
// auto-repeat, release outside, radio and toggle groups, the list control and the popup text.

#include "skin/ButtonBar.h"
#include "skin/ListControl.h"
#include "skin/PopupText.h"
#include "skin/SkinBitmap.h"
#include "skin/SkinFile.h"

#include <QSignalSpy>
#include <QTest>
#include <fstream>
#include <iterator>
#include <map>

using namespace gp;
using namespace gp::ui;

namespace {

std::filesystem::path asset(const std::string& name)
{
    return std::filesystem::path(GLIMMER_BUILD_DATADIR) / name;
}

int buttonsWithImages(std::span<const ButtonSpec> specs)
{
    int count = 0;
    for (const ButtonSpec& buttonSpec : specs)
        count += buttonSpec.kind != ButtonKind::Area;
    return count;
}

std::vector<std::uint8_t> bytesOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

QPoint centreOf(const ButtonBar& bar, int id)
{
    return bar.rectOf(id).value().center();
}

// A bar over the frame's page 0 with a handler that counts calls per id.
struct CountingBar {
    std::map<int, int> calls;
    std::unique_ptr<ButtonBar> bar;

    explicit CountingBar(std::vector<std::vector<ButtonRecord>> pages = {})
    {
        if (pages.empty())
            for (int page = 0; page < kFramePages; ++page)
                pages.push_back(recordsOf(framePage(page)));
        for (auto& page : pages)
            for (ButtonRecord& record : page)
                record.handler = [this, id = record.id](const ButtonEvent& event) {
                    if (event.phase == -1)
                        ++calls[id];
                };
        bar = std::make_unique<ButtonBar>(nullptr, asset("ui/button.800"), std::move(pages));
        bar->resize(kFrameWidth, kFrameHeight);
        bar->switchPage(0);
    }
};

} // namespace

class SkinTest : public QObject {
    Q_OBJECT
private slots:
    void builtSkinsMatchTheButtonPages()
    {
        for (bool mode640 : { false, true }) {
            auto skin = SkinFile::load(asset(mode640 ? "ui/button.640" : "ui/button.800"));
            QVERIFY(skin.ok());
            QCOMPARE(skin->pageCount(), kFramePages);
            for (int page = 0; page < kFramePages; ++page) {
                const auto specs = framePage(page);
                const auto entries = skin->page(page);
                QCOMPARE(int(entries.size()), 3 * buttonsWithImages(specs));
                int button = 0;
                for (const ButtonSpec& buttonSpec : specs) {
                    if (buttonSpec.kind == ButtonKind::Area)
                        continue;
                    const SkinEntry& third = entries[std::size_t(3 * button + 2)];
                    const Rect expected = scaled(buttonSpec.rect, mode640);
                    QVERIFY(std::abs(third.rect.left - expected.left) <= 1);
                    QVERIFY(std::abs(third.rect.width() - expected.width()) <= 1);
                    // The three pictures are the button's size and differ from each other.
                    auto normal = skin->image(entries[std::size_t(3 * button)]);
                    auto pressed = skin->image(entries[std::size_t(3 * button + 1)]);
                    QVERIFY(normal.ok() && pressed.ok());
                    QCOMPARE(normal->width(), third.rect.width());
                    QCOMPARE(normal->height(), third.rect.height());
                    QVERIFY(!std::ranges::equal(normal->pixels(), pressed->pixels()));
                    ++button;
                }
            }
            QVERIFY(skin->page(kFramePages).empty());
        }
        const QImage background = loadSkinBitmap(asset("ui/screen0.800"));
        QCOMPARE(background.size(), QSize(800, 600));
        QCOMPARE(loadSkinBitmap(asset("LAYOUT.LO6")).width(), 352);
    }

    void damagedSkinsAreRefused()
    {
        std::vector<std::uint8_t> bytes = bytesOf(asset("ui/auxbar.800"));
        QVERIFY(SkinFile::parse(bytes).ok());
        auto wrongMagic = bytes;
        wrongMagic[0] = 'X';
        QVERIFY(!SkinFile::parse(wrongMagic).ok());
        // An entry table longer than the file.
        auto manyEntries = bytes;
        manyEntries[8] = 0xFF;
        manyEntries[9] = 0xFF;
        QCOMPARE(SkinFile::parse(manyEntries).error().kind, ErrorKind::Truncated);
        // A picture whose bytes lie past the end.
        auto farImage = bytes;
        farImage[144 + 272 + 3] = 0x7F;
        auto skin = SkinFile::parse(farImage);
        QVERIFY(skin.ok());
        QVERIFY(!skin->image(skin->page(0)[0]).ok());
        QVERIFY(!SkinFile::parse({}).ok());
    }

    void hitTestSkipsAreasAndRefusesDisabledButtons()
    {
        CountingBar counting;
        ButtonBar& bar = *counting.bar;
        const auto getPhotos = bar.hitTest(centreOf(bar, 7));
        QVERIFY(getPhotos.has_value());
        QCOMPARE(bar.records()[std::size_t(*getPhotos)].id, 7);
        // The page view is an area: nothing there.
        QVERIFY(!bar.hitTest(centreOf(bar, 102)).has_value());
        bar.disable(8);
        bool refused = false;
        QVERIFY(!bar.hitTest(centreOf(bar, 8), &refused).has_value());
        QVERIFY(refused);

        QSignalSpy refusals(&bar, &ButtonBar::refusedClick);
        QTest::mouseClick(&bar, Qt::LeftButton, {}, centreOf(bar, 8));
        QCOMPARE(refusals.count(), 1);
        QCOMPARE(counting.calls[8], 0);
        QTest::mouseClick(&bar, Qt::LeftButton, {}, centreOf(bar, 7));
        QCOMPARE(counting.calls[7], 1);
    }

    void autoRepeatCallsFromTheThirdTick()
    {
        CountingBar counting;
        ButtonBar& bar = *counting.bar;
        const QPoint plus = centreOf(bar, 12);
        QTest::mouseMove(&bar, plus);
        QTest::mousePress(&bar, Qt::LeftButton, {}, plus);
        // One second held: ten ticks of 100 ms, handler on ticks 3 to 10.
        for (int tick = 0; tick < 10; ++tick)
            bar.repeatTick();
        QCOMPARE(counting.calls[12], 8);
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, plus);
        QCOMPARE(counting.calls[12], 9);
        // A plain push button does not repeat.
        QTest::mousePress(&bar, Qt::LeftButton, {}, centreOf(bar, 14));
        for (int tick = 0; tick < 10; ++tick)
            bar.repeatTick();
        QCOMPARE(counting.calls[14], 0);
    }

    void releaseOutsideCallsNothing()
    {
        CountingBar counting;
        ButtonBar& bar = *counting.bar;
        QTest::mousePress(&bar, Qt::LeftButton, {}, centreOf(bar, 15));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, centreOf(bar, 14));
        QCOMPARE(counting.calls[15], 0);
        QCOMPARE(counting.calls[14], 0);
        QVERIFY(!bar.leftButtonHeld());
    }

    void radioGroupsAndToggles()
    {
        CountingBar counting;
        ButtonBar& bar = *counting.bar;
        bar.switchPage(2); // crop page: 35, 36, 37 share group 1
        QTest::mouseClick(&bar, Qt::LeftButton, {}, centreOf(bar, 36));
        QVERIFY(bar.isSelected(36));
        QTest::mouseClick(&bar, Qt::LeftButton, {}, centreOf(bar, 37));
        QVERIFY(bar.isSelected(37));
        QVERIFY(!bar.isSelected(36));
        QCOMPARE(counting.calls[37], 1);

        // A group key used once makes a toggle; kind 8 toggles its partners on other pages.
        std::vector<std::vector<ButtonRecord>> pages = { recordsOf(framePage(0)), recordsOf(framePage(1)) };
        for (ButtonRecord& record : pages[0])
            if (record.id == 7)
                record.group = 9;
            else if (record.id == 14) {
                record.kind = ButtonKind::SharedToggle;
                record.group = 4;
            }
        for (ButtonRecord& record : pages[1])
            if (record.id == 22) {
                record.kind = ButtonKind::SharedToggle;
                record.group = 4;
            }
        CountingBar shared(std::move(pages));
        ButtonBar& sbar = *shared.bar;
        QTest::mouseClick(&sbar, Qt::LeftButton, {}, centreOf(sbar, 7));
        QVERIFY(sbar.isSelected(7));
        QTest::mouseClick(&sbar, Qt::LeftButton, {}, centreOf(sbar, 7));
        QVERIFY(!sbar.isSelected(7));
        QTest::mouseClick(&sbar, Qt::LeftButton, {}, centreOf(sbar, 14));
        QVERIFY(sbar.isSelected(14));
        sbar.switchPage(1);
        QVERIFY(sbar.isSelected(22));
    }

    void sliderFollowsTheDrag()
    {
        auto records = recordsOf(auxiliaryPage(1));
        ButtonBar bar(nullptr, asset("ui/auxbar.800"), { {}, std::move(records) }, asset("ui/sliderlogo.800"));
        bar.resize(160, 80);
        bar.switchPage(1);
        const QRect track = bar.rectOf(360).value();
        QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(track.left() + 2, track.center().y()));
        QCOMPARE(bar.sliderPosition(360), 0);
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(track.right(), track.center().y()));
        QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(track.center().x(), track.center().y()));
        QVERIFY(std::abs(bar.sliderPosition(360) - 50) <= 3);
    }

    void barRegistryHoldsTwenty()
    {
        const int before = ButtonBar::liveBars();
        std::vector<std::unique_ptr<ButtonBar>> bars;
        while (ButtonBar::liveBars() < 20)
            bars.push_back(std::make_unique<ButtonBar>(
                nullptr, asset("ui/auxbar.800"), std::vector<std::vector<ButtonRecord>> {}));
        ButtonBar extra(nullptr, asset("ui/auxbar.800"), { recordsOf(auxiliaryPage(0)) });
        QVERIFY(!extra.registered());
        extra.switchPage(0);
        QVERIFY(!extra.rectOf(350).value().isValid());
        bars.clear();
        QCOMPARE(ButtonBar::liveBars(), before);
    }

    void listControlSelectsAndNotifies()
    {
        ListControl list(nullptr, 7, asset("ui/Listbtn.800"), asset("ui/layoutlistlogo.800"));
        list.resize(156, 152);
        for (int i = 0; i < 10; ++i)
            QVERIFY(list.addString(QStringLiteral("Item %1").arg(i)));
        QSignalSpy changes(&list, &ListControl::selectionChanged);
        QTest::mouseClick(&list, Qt::LeftButton, {}, list.rectOf(3).value().center());
        QCOMPARE(list.selectedIndex(), 2);
        QCOMPARE(list.selectedText(), QStringLiteral("Item 2"));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.first().first().toInt(), 7);
        // Scrolling down one row moves the item under row 3.
        QTest::mouseClick(&list, Qt::LeftButton, {}, list.rectOf(8).value().center());
        QCOMPARE(list.topIndex(), 1);
        QTest::mouseClick(&list, Qt::LeftButton, {}, list.rectOf(3).value().center());
        QCOMPARE(list.selectedIndex(), 3);
        // The store holds 300000 bytes of text.
        const QString big(100000, QLatin1Char('x'));
        QVERIFY(list.addString(big));
        QVERIFY(list.addString(big));
        QVERIFY(!list.addString(big));
    }

    void popupTextShowsOnceAndStaysInside()
    {
        QWidget window;
        window.resize(200, 100);
        PopupText* popup = PopupText::show(&window, QPoint(190, 90), QStringLiteral(" Print the page"));
        QVERIFY(popup);
        QCOMPARE(popup->text(), QStringLiteral("Print the page"));
        QVERIFY(popup->geometry().right() <= 200 - 4);
        QVERIFY(popup->geometry().bottom() <= 100 - 4);
        QCOMPARE(PopupText::show(&window, QPoint(10, 10), QStringLiteral("Print the page")), popup);
        QVERIFY(!PopupText::show(&window, QPoint(10, 10), QString()));
        QVERIFY(!PopupText::current());
    }
};

QTEST_MAIN(SkinTest)
#include "SkinTest.moc"
