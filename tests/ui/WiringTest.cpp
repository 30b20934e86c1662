// No dead wiring: on every screen, every item of the command menu, every accelerator and every
// button of the screen's page reaches a handler, or is on the list of what the open screen work
// has not built yet and is then shown disabled. An entry of that list that gets its handler
// fails the test too, so the list only ever shrinks.

#include "WiringTest.h"

#include "FrameFixture.h"
#include "frame/CommandMenu.h"
#include "screens/FrameScreen.h"
#include "shell/CommandIds.h"
#include "skin/ButtonBar.h"
#include "shell/ButtonIds.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <map>
#include <set>

using namespace gp;
using namespace gp::ui;

namespace {

// What the open screen work has not built yet, by the issue that builds it.
struct NotYetBuilt {
    const char* work;
    std::set<int> commands;
    std::set<int> buttons;
    std::set<std::pair<Screen, int>> keys;
};

const std::vector<NotYetBuilt>& notYetBuilt()
{
    // Empty while every screen's controls are built; new screen work lists what it leaves here.
    static const std::vector<NotYetBuilt> list;
    return list;
}

bool commandNotYetBuilt(int id)
{
    for (const NotYetBuilt& entry : notYetBuilt())
        if (entry.commands.count(id))
            return true;
    return false;
}

bool buttonNotYetBuilt(int id)
{
    for (const NotYetBuilt& entry : notYetBuilt())
        if (entry.buttons.count(id))
            return true;
    return false;
}

bool keyNotYetBuilt(Screen screen, int key)
{
    for (const NotYetBuilt& entry : notYetBuilt())
        if (entry.keys.count({ screen, key }))
            return true;
    return false;
}

// The keys whose meaning depends on the screen, and the screens on which each acts.
const std::map<int, std::vector<Screen>>& screenKeys()
{
    static const std::map<int, std::vector<Screen>> keys = {
        { command::KeyCut, { Screen::Layout, Screen::GetPhotos, Screen::Text } },
        { command::KeyCopy, { Screen::Layout, Screen::GetPhotos, Screen::Text } },
        { command::KeyPaste, { Screen::Layout, Screen::GetPhotos, Screen::Text } },
        { command::KeyRotate, { Screen::Layout } },
        { command::KeyPrint, { Screen::Layout, Screen::GetPhotos } },
        { command::KeySaveAs, { Screen::Crop, Screen::Edit, Screen::Frame } },
        { command::KeyDelete, { Screen::Layout, Screen::GetPhotos, Screen::Text, Screen::TemplateEdit } },
    };
    return keys;
}

constexpr Screen kScreens[] = { Screen::Layout, Screen::GetPhotos, Screen::Crop, Screen::Edit, Screen::Frame,
    Screen::Text, Screen::TemplateEdit };

QString where(Screen screen, int id)
{
    return QStringLiteral("screen %1, id %2").arg(int(screen)).arg(id);
}

struct Fixture : test::FrameFixture<> {
    Fixture()
    {
        // A recent file, so that its menu item is walked too.
        app->recentFiles().add((dir / "photo.bmp").string());
    }

    // Shows a screen as its button would, with the frame's one-second tick after it.
    void show(Screen screen)
    {
        app->screens().switchTo(screen);
        frame->timerTick();
    }
};

void collectActions(const QMenu* menu, std::vector<QAction*>& actions)
{
    for (QAction* action : menu->actions()) {
        if (action->menu())
            collectActions(action->menu(), actions);
        else if (!action->isSeparator())
            actions.push_back(action);
    }
}

} // namespace

void WiringTest::everyMenuItemHasAHandlerOrIsDisabled()
{
    Fixture f;
    std::set<int> seen;
    for (Screen screen : kScreens) {
        f.show(screen);
        std::unique_ptr<QMenu> menu(f.frame->buildMenu());
        std::vector<QAction*> actions;
        collectActions(menu.get(), actions);
        QVERIFY(actions.size() > 80);
        for (QAction* action : actions) {
            bool isCommand = false;
            const int id = action->data().toInt(&isCommand);
            QVERIFY2(isCommand && id > 0, qPrintable(action->text()));
            seen.insert(id);
            if (f.app->commands().has(id)) {
                QVERIFY2(!commandNotYetBuilt(id), qPrintable(where(screen, id) + " is built: take it off the list"));
                QVERIFY2(action->isEnabled(), qPrintable(where(screen, id)));
            } else {
                QVERIFY2(commandNotYetBuilt(id), qPrintable(where(screen, id) + " has no handler"));
                QVERIFY2(!action->isEnabled(), qPrintable(where(screen, id) + " looks live"));
            }
        }
    }
    // The commands the frame now performs: Edit > Delete, the page's Print and Printer Setup.
    for (int id : { command::Delete, command::Print, command::PrinterSetup, command::RecentFile1 })
        QVERIFY2(seen.count(id) && f.app->commands().has(id), qPrintable(QString::number(id)));

    // The effects by their names, the browser last.
    std::unique_ptr<QMenu> menu(f.frame->buildMenu());
    std::vector<QAction*> actions;
    collectActions(menu.get(), actions);
    std::map<int, QString> labels;
    for (QAction* action : actions)
        labels[action->data().toInt()] = action->text();
    QCOMPARE(labels[command::EffectFirst], QStringLiteral("Painting"));
    QCOMPARE(labels[command::EffectFirst + 11], QStringLiteral("Fisheye"));
    QCOMPARE(labels[command::EffectBrowser - 1], QStringLiteral("Ribbon"));
    QCOMPARE(labels[command::EffectBrowser], QStringLiteral("Effects Browser"));
    QCOMPARE(labels[command::ZoomRatioFirst], QStringLiteral("2:1"));
    QCOMPARE(labels[command::ZoomReductionBase + 1], QStringLiteral("1:2"));
    QCOMPARE(labels[command::ZoomRatioLast], QStringLiteral("1:16"));
}

void WiringTest::everyKeyReachesAHandlerOnItsScreens()
{
    Fixture f;
    for (const Accelerator& accelerator : accelerators())
        QVERIFY2(f.app->commands().has(accelerator.command), qPrintable(QString::number(accelerator.command)));
    for (const auto& [key, screens] : screenKeys())
        for (Screen screen : kScreens) {
            const bool binds = f.frame->screen(screen).bindsKey(key);
            const bool actsHere = std::find(screens.begin(), screens.end(), screen) != screens.end();
            if (!actsHere)
                QVERIFY2(!binds, qPrintable(where(screen, key) + " acts where it should not"));
            else if (keyNotYetBuilt(screen, key))
                QVERIFY2(!binds, qPrintable(where(screen, key) + " is built: take it off the list"));
            else
                QVERIFY2(binds, qPrintable(where(screen, key) + " does nothing"));
        }
    // A key the current screen does not bind is ignored without a beep.
    f.show(Screen::Crop);
    f.frame->runCommand(command::KeyRotate);
    QCOMPARE(f.host.beeps, 0);
}

void WiringTest::everyButtonHasAHandlerOrIsDisabled()
{
    Fixture f;
    ButtonBar& bar = *f.frame->buttonBar();
    for (Screen screen : kScreens) {
        f.show(screen);
        QCOMPARE(bar.page(), buttonPageOf(screen));
        for (const ButtonRecord& record : bar.records()) {
            if (record.kind == ButtonKind::Area)
                continue;
            if (record.handler) {
                QVERIFY2(!buttonNotYetBuilt(record.id),
                    qPrintable(where(screen, record.id) + " is built: take it off the list"));
            } else {
                QVERIFY2(buttonNotYetBuilt(record.id), qPrintable(where(screen, record.id) + " has no handler"));
                QVERIFY2(!bar.isEnabled(record.id), qPrintable(where(screen, record.id) + " looks live"));
            }
        }
    }
    // The layout page's own bars are fully wired.
    f.show(Screen::Layout);
    for (const ButtonRecord& record : f.frame->templateBar()->records())
        QVERIFY2(record.handler, qPrintable(QString::number(record.id)));

    // OK, Cancel and Save As really work on the screens whose tools are not built yet.
    f.show(Screen::Frame);
    QVERIFY(bar.isEnabled(button::FrameOk) && bar.isEnabled(button::FrameCancel) && bar.isEnabled(button::FrameSaveAs));
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.rectOf(button::FrameCancel).value().center());
    QCOMPARE(f.app->screens().current(), Screen::Layout);
    // Fit Cell without a photo to crop beeps and stays on its screen.
    f.show(Screen::Crop);
    const int beeps = f.host.beeps;
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.rectOf(button::FitCell).value().center());
    QCOMPARE(f.host.beeps, beeps + 1);
    QCOMPARE(f.app->screens().current(), Screen::Crop);
}

QTEST_MAIN(WiringTest)
