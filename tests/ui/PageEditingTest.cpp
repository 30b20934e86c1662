// The page view's context menus, status read-outs and low-resolution badge, the free-style
// objects with their handles and menu, and the template editor's tools, each driven by mouse
// events on the frame's own widgets.

#include "PageEditingTest.h"

#include "FrameFixture.h"
#include "layout/FreeStyleEditing.h"
#include "layout/TemplateEditor.h"
#include "screens/LayoutScreen.h"
#include "screens/TemplateEditScreen.h"
#include "skin/ListControl.h"
#include "views/PageView.h"
#include "views/TemplateEditorView.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <filesystem>

using namespace gp;
using namespace gp::ui;
using namespace gp::test;

namespace {

constexpr int kMyTemplatesRow = 0;
constexpr int kFreeStyleRow = 1;
const QColor kOrange(0xe0, 0x6c, 0x10);

// The menu's items by their text without the accelerator marks.
QAction* item(QMenu* menu, const QString& label)
{
    for (QAction* action : menu->actions()) {
        if (action->text().remove(QLatin1Char('&')) == label)
            return action;
        if (action->menu())
            if (QAction* inner = item(action->menu(), label))
                return inner;
    }
    return nullptr;
}

// Chooses a menu item; its action runs once the menu has closed, as after a real choice.
void choose(QMenu* menu, const QString& label)
{
    QAction* action = item(menu, label);
    QVERIFY2(action, qPrintable(label));
    action->trigger();
    QCoreApplication::processEvents();
}

QStringList enabledItems(QMenu* menu)
{
    QStringList enabled;
    for (QAction* action : menu->actions())
        if (!action->isSeparator() && action->isEnabled())
            enabled.append(action->text().remove(QLatin1Char('&')));
    return enabled;
}

struct Fixture : test::FrameFixture<> {
    // A photo opened into the page, as the Open command hands it on.
    void open(int width, int height, int pixelsPerMetre = 0)
    {
        app->currentName() = "photo.bmp";
        Image image = solid(width, height);
        image.setResolution(pixelsPerMetre, pixelsPerMetre);
        QVERIFY(app->newDocument(std::move(image)));
        frame->layoutScreen().photosChanged();
    }

    TemplateEditScreen& editorScreen() { return static_cast<TemplateEditScreen&>(frame->screen(Screen::TemplateEdit)); }
};

} // namespace

void PageEditingTest::cellMenuFollowsTheCellWhereItOpened()
{
    Fixture f;
    f.open(120, 80);
    const std::vector<Rect> cells = f.view().viewCells();
    QVERIFY(cells.size() >= 3);
    LayoutPage& page = f.app->layoutPage();

    // An empty cell offers Paste (greyed, nothing cut yet) and Help only.
    std::unique_ptr<QMenu> menu(f.view().contextMenuAt(centre(cells[2])));
    QVERIFY(menu);
    QCOMPARE(enabledItems(menu.get()), QStringList { QStringLiteral("Help") });
    QVERIFY(item(menu.get(), QStringLiteral("Paste")));

    // On the photo every item but Paste; Copy to Empty Cells fills the layout's other cells.
    menu.reset(f.view().contextMenuAt(centre(cells[0])));
    QCOMPARE(enabledItems(menu.get()),
        (QStringList { "Rotate Photo", "Delete", "Cut", "Copy", "Copy to Empty Cells", "Help" }));
    choose(menu.get(), QStringLiteral("Copy to Empty Cells"));
    QCOMPARE(page.photo(2), page.photo(0));
    menu.reset(f.view().contextMenuAt(centre(cells[1])));
    QVERIFY(!item(menu.get(), QStringLiteral("Copy to Empty Cells"))->isEnabled());

    // Rotate Photo turns the photo of the cell where the menu opened, not the current cell's.
    page.setCurrentCell(0);
    page.deleteCell(1);
    f.open(200, 100); // into the current cell 0
    menu.reset(f.view().contextMenuAt(centre(cells[0])));
    choose(menu.get(), QStringLiteral("Rotate Photo"));
    QCOMPARE(page.photo(0)->width(), 100);
    QCOMPARE(page.photo(0)->height(), 200);
    // The turned photo keeps its document.
    QCOMPARE(f.app->documents().count(), std::size_t(2));

    // Cut from one cell, Paste into an empty one.
    menu.reset(f.view().contextMenuAt(centre(cells[0])));
    choose(menu.get(), QStringLiteral("Cut"));
    QVERIFY(!page.photo(0));
    menu.reset(f.view().contextMenuAt(centre(cells[1])));
    QCOMPARE(enabledItems(menu.get()), (QStringList { "Paste", "Help" }));
    choose(menu.get(), QStringLiteral("Paste"));
    QCOMPARE(page.photo(1)->width(), 100);

    // While My Templates has no template the page takes no input.
    f.chooseCategory(kMyTemplatesRow);
    QCOMPARE(f.app->layoutList().entries, 0);
    QVERIFY(!f.view().contextMenuAt(QPoint(f.view().width() / 2, f.view().height() / 2)));
}

void PageEditingTest::readoutAndBadgeTellAPhotoThatPrintsSoft()
{
    Fixture f;
    f.open(64, 48); // a few dots per inch in any cell
    f.open(6000, 4000);
    const std::vector<Rect> cells = f.view().viewCells();
    QCOMPARE(f.view().lowResolutionCells(), std::vector<int> { 0 });
    mouse(&f.view(), QEvent::MouseMove, centre(cells[0]));
    QVERIFY(!f.host.statusTexts.empty());
    const QString readout = QString::fromStdString(f.host.statusTexts.back());
    QVERIFY2(readout.startsWith(QStringLiteral(" Photo Size: ")), qPrintable(readout));
    QVERIFY2(readout.contains(QStringLiteral("64 x 48 pixels")) && readout.endsWith(QStringLiteral("(low resolution)")),
        qPrintable(readout));
    mouse(&f.view(), QEvent::MouseMove, centre(cells[1]));
    QVERIFY(!QString::fromStdString(f.host.statusTexts.back()).contains(QStringLiteral("low")));

    // The badge shows on the soft photo only.
    const QImage shot = f.view().grab().toImage();
    auto orange = [&](const Rect& cell) {
        int n = 0;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                n += shot.pixelColor(x, y) == kOrange;
        return n;
    };
    QVERIFY(orange(cells[0]) > 20);
    QCOMPARE(orange(cells[1]), 0);

    // A threshold of 1 dpi in the settings takes the mark away.
    f.app->settingsFile().writeString("USER", "LowResDpi", "1");
    QVERIFY(f.view().lowResolutionCells().empty());
}

void PageEditingTest::freeStyleObjectsMoveResizeAndRestoreOnEscape()
{
    Fixture f;
    f.chooseCategory(kFreeStyleRow);
    f.open(300, 200, 3937); // 100 dpi: 3 × 2 inches
    LayoutPage& page = f.app->layoutPage();
    QCOMPARE(page.photoObjects().size(), 1u);
    const Rect printable = f.view().printableRect();
    const Rect placed = page.photoObjects()[0].rect;
    QCOMPARE(placed.left, printable.left);
    QCOMPARE(placed.top, printable.top);
    const double perInch = f.view().viewPage().pixelsPerInchX();
    QVERIFY(std::abs(placed.width() - 3 * perInch) <= 1.0);

    // A second photo becomes a second object, in a slot of its own.
    f.open(300, 200, 3937);
    QCOMPARE(page.photoObjects().size(), 2u);
    QVERIFY(page.photoObjects()[1].slot != page.photoObjects()[0].slot);
    QCOMPARE(page.photoObjects()[1].rect.left, printable.left + 20);

    // Moving the second object by 30 × 40 pixels.
    const Rect second = page.photoObjects()[1].rect;
    drag(&f.view(), centre(second), centre(second) + QPoint(30, 40));
    const Rect afterMove = page.photoObjects()[1].rect;
    QCOMPARE(afterMove.left, second.left + 30);
    QCOMPARE(afterMove.top, second.top + 40);
    // Kept to the photo's proportions, which may cost a pixel of rounding.
    QVERIFY(std::abs(afterMove.width() - second.width()) <= 1 && std::abs(afterMove.height() - second.height()) <= 1);

    // Resizing from the bottom-right handle keeps the photo's proportions.
    const Rect moved = page.photoObjects()[1].rect;
    drag(&f.view(), QPoint(moved.right, moved.bottom), QPoint(moved.right + 60, moved.bottom + 10));
    const Rect resized = page.photoObjects()[1].rect;
    QCOMPARE(resized.left, moved.left);
    QCOMPARE(resized.top, moved.top);
    QVERIFY(resized.width() > moved.width());
    QVERIFY(std::abs(resized.width() * 2 - resized.height() * 3) <= 3);

    // Escape during a drag puts the object back where it was.
    mouse(&f.view(), QEvent::MouseButtonPress, centre(resized));
    mouse(&f.view(), QEvent::MouseMove, centre(resized) + QPoint(50, 50));
    QTest::keyClick(&f.view(), Qt::Key_Escape);
    mouse(&f.view(), QEvent::MouseButtonRelease, centre(resized) + QPoint(50, 50));
    QCOMPARE(page.photoObjects()[1].rect, resized);

    // A click on the empty page clears the selection; handles go with it.
    click(&f.view(), QPoint(printable.right - 5, printable.bottom - 5));
    QVERIFY(!selectedObjectRect(page, printable));
}

void PageEditingTest::freeStyleMenuRotatesNearTheEdgeAndPastesAtThePoint()
{
    Fixture f;
    f.chooseCategory(kFreeStyleRow);
    f.open(200, 400, 11811); // 300 dpi: tall and narrow
    LayoutPage& page = f.app->layoutPage();
    const Rect printable = f.view().printableRect();
    // Against the right edge of the printable area.
    const Rect tall = page.photoObjects()[0].rect;
    page.photoObjects()[0].rect
        = { printable.right - tall.width(), printable.top + 10, printable.right, printable.top + 10 + tall.height() };
    const Rect before = page.photoObjects()[0].rect;

    std::unique_ptr<QMenu> menu(f.view().contextMenuAt(centre(before)));
    QVERIFY(menu);
    QCOMPARE(
        enabledItems(menu.get()), (QStringList { "Adjust Size", "Rotate Photo", "Cut", "Copy", "Delete", "Help" }));
    choose(menu.get(), QStringLiteral("Rotate Photo"));
    const Rect after = page.photoObjects()[0].rect;
    QCOMPARE(after.width(), before.height());
    QCOMPARE(after.height(), before.width());
    QCOMPARE(after.right, printable.right); // moved left to stay on the page
    QCOMPARE(after.top, before.top);
    QCOMPARE(page.photo(page.photoObjects()[0].slot)->width(), 400);

    // Adjust Size > Pocket Size fits the photo into one inch.
    menu.reset(f.view().contextMenuAt(centre(after)));
    choose(menu.get(), QStringLiteral("Pocket Size"));
    const double perInch = f.view().viewPage().pixelsPerInchX();
    QVERIFY(std::abs(page.photoObjects()[0].rect.width() - perInch) <= 1.0);

    // Copy, then Paste where the menu opens on empty paper.
    menu.reset(f.view().contextMenuAt(centre(page.photoObjects()[0].rect)));
    choose(menu.get(), QStringLiteral("Copy"));
    const QPoint empty(printable.left + 30, printable.bottom - 80);
    menu.reset(f.view().contextMenuAt(empty));
    QCOMPARE(enabledItems(menu.get()), (QStringList { "Paste", "Help" }));
    choose(menu.get(), QStringLiteral("Paste"));
    QCOMPARE(page.photoObjects().size(), 2u);
    QCOMPARE(page.photoObjects()[1].rect.left, empty.x());
    QCOMPARE(page.photoObjects()[1].rect.top, empty.y());
}

void PageEditingTest::templateEditorToolsWorkWithTheMouse()
{
    Fixture f;
    f.chooseCategory(kMyTemplatesRow);
    f.frame->layoutScreen().editTemplate(-1);
    QCOMPARE(f.app->screens().current(), Screen::TemplateEdit);
    TemplateEditScreen& screen = f.editorScreen();
    const TemplateEditor& editor = screen.editor();
    TemplateEditorView* view = screen.view();
    QVERIFY(!view->isHidden());
    QCOMPARE(screen.nameField()->text(), QStringLiteral("My Template"));
    const QPoint origin = view->pageOffset();
    const Rect page = editor.page();
    auto at = [&](int x, int y) { return origin + QPoint(x, y); };

    // Split across: 10 pixels from the left edge does nothing, the middle cuts the page.
    click(view, at(10, page.height() / 2));
    QCOMPARE(editor.cells().size(), 1u);
    QCOMPARE(f.host.beeps, 1);
    const int middle = page.width() / 2;
    click(view, at(middle, page.height() / 2));
    QCOMPARE(editor.cells().size(), 2u);

    // Split down in the left half, then a merge of cells of different heights is refused.
    view->parentWidget()->findChild<QToolButton*>(QStringLiteral("tool1"))->click();
    click(view, at(middle / 2, page.height() / 3));
    QCOMPARE(editor.cells().size(), 3u);
    view->parentWidget()->findChild<QToolButton*>(QStringLiteral("tool3"))->click();
    click(view, at(middle, page.height() / 6));
    QCOMPARE(editor.cells().size(), 3u);
    QCOMPARE(f.host.beeps, 2);
    // The two left cells share their edge and merge.
    click(view, at(middle / 2, page.height() / 3));
    QCOMPARE(editor.cells().size(), 2u);

    // Edge drag: the middle line follows the mouse to the right.
    view->parentWidget()->findChild<QToolButton*>(QStringLiteral("tool2"))->click();
    drag(view, at(middle, page.height() / 2), at(middle + 40, page.height() / 2));
    QCOMPARE(editor.cells()[0].right, middle + 40);
    QCOMPARE(editor.cells()[1].left, middle + 40);

    // Grid 5 × 5 on the right cell, then Save into template.udf.
    view->parentWidget()->findChild<QToolButton*>(QStringLiteral("tool4"))->click();
    QCOMPARE(view->parentWidget()->findChildren<QSpinBox*>().size(), 2);
    for (QSpinBox* box : view->parentWidget()->findChildren<QSpinBox*>())
        box->setValue(5);
    click(view, at(page.width() - 10, page.height() / 2));
    QCOMPARE(editor.cells().size(), 26u);
    QTest::keyClicks(screen.nameField(), QStringLiteral(" Grid"));
    QVERIFY(screen.save());
    TemplateStore reread(f.dir / "data" / "template.udf");
    QVERIFY(reread.open());
    QCOMPARE(reread.groupCount(), 1);
    QCOMPARE(reread.get(0, 0).name, std::string("My Template Grid"));
    QCOMPARE(reread.get(0, 0).cells.size(), 26u);

    // OK goes back to the page, whose list now holds the template.
    f.app->screens().accept();
    QCOMPARE(f.app->screens().current(), Screen::Layout);
    QCOMPARE(f.app->layoutList().entries, 1);
}

void PageEditingTest::leavingTheEditorAsksToSaveChanges()
{
    Fixture f;
    f.chooseCategory(kMyTemplatesRow);
    f.frame->layoutScreen().editTemplate(-1);
    TemplateEditScreen& screen = f.editorScreen();
    TemplateEditorView* view = screen.view();
    const Rect page = screen.editor().page();
    click(view, view->pageOffset() + QPoint(page.width() / 2, page.height() / 2));
    QCOMPARE(screen.editor().cells().size(), 2u);
    f.host.answers.push_back(Answer::No);
    f.app->screens().cancel();
    QCOMPARE(f.host.questions.size(), 1u);
    QCOMPARE(f.host.questions[0].text, std::string("Save the changes to this template?"));
    QCOMPARE(f.app->layoutList().entries, 0); // No keeps nothing

    // Asked again with Yes, the template is saved and listed; Edit opens it again.
    f.frame->layoutScreen().editTemplate(-1);
    click(view, view->pageOffset() + QPoint(page.width() / 2, page.height() / 2));
    f.host.answers.push_back(Answer::Yes);
    f.app->screens().cancel();
    QCOMPARE(f.app->layoutList().entries, 1);
    f.frame->layoutScreen().editTemplate(0);
    QCOMPARE(screen.editor().cells().size(), 2u);
    QVERIFY(!screen.editor().isNew());
    // Nothing changed: Cancel asks nothing. Delete asks and removes it.
    f.app->screens().cancel();
    QCOMPARE(f.host.questions.size(), 2u);
    f.frame->layoutScreen().editTemplate(0);
    f.host.answers.push_back(Answer::Yes);
    screen.deleteTemplate();
    QCOMPARE(f.host.questions.back().text, std::string("Are you sure you want to delete the selected template?"));
    QCOMPARE(f.app->screens().current(), Screen::Layout);
    QCOMPARE(f.app->layoutList().entries, 0);
}

QTEST_MAIN(PageEditingTest)
