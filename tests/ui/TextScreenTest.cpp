#include "TextScreenTest.h"

#include "ExternalTools.h"
#include "FrameFixture.h"
#include "dialogs/EditTextDialog.h"
#include "dialogs/TemplateCommand.h"
#include "dialogs/TemplateDialog.h"
#include "dialogs/TemplatePreview.h"
#include "gfx/QtDrawingContext.h"
#include "gfx/QtPrinterCatalog.h"
#include "screens/TextScreen.h"
#include "shell/CommandIds.h"
#include "views/TextComposeView.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

using namespace gp;
using namespace gp::ui;
using namespace gp::test;

namespace {

const QColor kBlue(0x20, 0x40, 0xd0);

// Where an item's text lies in the composition window, measured as the window measures it.
Rect extentOf(const TextItem& item)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    gfx::QtDrawingContext dc(painter);
    return textExtent(dc, item);
}

// The bounding box of the pixels near a colour.
QRect areaOf(const QImage& image, QColor colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 60 && std::abs(c.green() - colour.green()) < 60
                && std::abs(c.blue() - colour.blue()) < 60)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

struct Fixture : test::FrameFixture<> {
    gfx::QtPrinterCatalog catalog;

    Fixture() { app->printer().setCatalog(&catalog); }
    ~Fixture() { app->printer().setCatalog(nullptr); }

    // Printing goes to a PDF file of a letter-size page printed at 150 dpi.
    std::filesystem::path printToPdf(Size printable = { 1200, 1530 })
    {
        const std::filesystem::path output = dir / "page.pdf";
        PrinterChoice choice = gfx::filePrinter(gfx::kPdfDriver, output.string());
        choice.mode.page = PageSpec { printable, 150, 150, { 1275, 1650 }, { 0, 0 } };
        app->printer().selection().setChoice(choice);
        return output;
    }
    TextScreen& textScreen() { return static_cast<TextScreen&>(frame->screen(Screen::Text)); }
    TextScreen& openTextScreen()
    {
        app->screens().switchTo(Screen::Text);
        return textScreen();
    }
};

QImage renderPdf(const std::filesystem::path& pdf, const std::filesystem::path& dir)
{
    QProcess render;
    const QString prefix = QString::fromStdString((dir / "rendered").string());
    render.start("pdftoppm", { "-r", "150", "-png", "-singlefile", QString::fromStdString(pdf.string()), prefix });
    if (!render.waitForFinished(60000) || render.exitCode() != 0)
        return {};
    return QImage(prefix + ".png");
}

// Each word of a PDF's text with its box, from pdftotext's bounding-box listing.
struct Word {
    QString text;
    double left, top, right, bottom;
};

std::vector<Word> pdfWords(const std::filesystem::path& pdf)
{
    QProcess process;
    process.start("pdftotext", { "-bbox", QString::fromStdString(pdf.string()), "-" });
    std::vector<Word> words;
    if (!process.waitForFinished(60000))
        return words;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>");
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        words.push_back({ m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
            m.captured(4).toDouble() });
    }
    return words;
}

} // namespace

// Reading printed pages back needs poppler's tools: skipped without them, failed under CI.
#define REQUIRE_POPPLER()                                                                                              \
    do {                                                                                                               \
        const std::string missing = test::missingTools({ "pdftoppm", "pdftotext" });                                   \
        if (!missing.empty()) {                                                                                        \
            if (test::underCi())                                                                                       \
                QFAIL(qPrintable(QString::fromStdString("missing under CI: " + missing)));                             \
            QSKIP(qPrintable(QString::fromStdString("not installed: " + missing)));                                    \
        }                                                                                                              \
    } while (0)

void TextScreenTest::typingMakesChangesAndLimitsItems()
{
    Fixture f;
    f.addPhoto(kBlue);
    f.app->layoutPage().setCurrentCell(0);
    TextScreen& screen = f.openTextScreen();
    QVERIFY(!screen.editBox()->isHidden() && !screen.composeView()->isHidden());
    QVERIFY(screen.composer());
    const auto& items = screen.composer()->list().items();

    QTest::keyClicks(screen.editBox(), "Hello");
    QCOMPARE(items.size(), std::size_t(1));
    QCOMPARE(items[0].text, std::string("Hello"));
    QCOMPARE(items[0].font.face, std::string("Arial"));
    QCOMPARE(items[0].font.height, (12 * f.frame->logicalDpiY() + 36) / 72);
    screen.editBox()->selectAll();
    QTest::keyClick(screen.editBox(), Qt::Key_Backspace);
    QVERIFY(items.empty());
    QTest::keyClicks(screen.editBox(), "Again");
    QCOMPARE(items.size(), std::size_t(1));

    // New starts another item each time, up to five; the sixth text stays in the box only.
    for (const char* word : { "two", "three", "four", "five", "six" }) {
        QTest::mouseClick(screen.newButton(), Qt::LeftButton);
        QVERIFY(screen.editBox()->text().isEmpty());
        QTest::keyClicks(screen.editBox(), word);
    }
    QCOMPARE(items.size(), std::size_t(5));
    QCOMPARE(items.back().text, std::string("five"));
    QCOMPARE(screen.editBox()->text(), QStringLiteral("six"));

    f.app->screens().cancel();
    QVERIFY(screen.editBox()->isHidden());
    QVERIFY2(!f.app->layoutPage().textList(0), "Cancel leaves the cell without texts");

    // The clipboard keys and Delete work on the edit box's whole text with the same rules.
    f.openTextScreen();
    auto texts = [&] { return screen.composer()->list().items(); };
    QTest::keyClicks(screen.editBox(), "Wave");
    f.frame->runCommand(command::KeyCopy);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Wave"));
    f.frame->runCommand(command::KeyDelete);
    QVERIFY(texts().empty());
    QVERIFY(screen.editBox()->text().isEmpty());
    f.frame->runCommand(command::KeyPaste);
    QCOMPARE(texts().size(), std::size_t(1));
    QCOMPARE(texts()[0].text, std::string("Wave"));
    f.frame->runCommand(command::KeyCut);
    QVERIFY(texts().empty());
    f.app->screens().cancel();
}

void TextScreenTest::cancelRestoresAndOkStoresTheCellsTexts()
{
    Fixture f;
    f.addPhoto(kBlue);
    f.app->layoutPage().setCurrentCell(0);
    TextScreen& screen = f.openTextScreen();
    QTest::keyClicks(screen.editBox(), "Kept");
    screen.styleList()->setCurrentIndex(3);
    screen.sizeList()->setCurrentText(QStringLiteral("36"));
    screen.alignButton(TextAlign::Center)->click();
    const TextItem& item = screen.composer()->list().items()[0];
    QCOMPARE(item.font.weight, 700);
    QVERIFY(item.font.italic);
    QCOMPARE(item.font.height, (36 * f.frame->logicalDpiY() + 36) / 72);
    QCOMPARE(item.align, TextAlign::Center);
    f.app->screens().accept();
    QCOMPARE(f.app->screens().current(), Screen::Layout);
    QVERIFY(f.app->layoutPage().textList(0));
    const TextList stored = *f.app->layoutPage().textList(0);
    QCOMPARE(stored.items()[0].text, std::string("Kept"));

    // Entering again shows the stored text; changes and Cancel (Escape) leave the cell as it was.
    f.openTextScreen();
    QCOMPARE(screen.composer()->list().items().size(), std::size_t(1));
    QTest::keyClicks(screen.editBox(), "Dropped");
    QTest::mouseClick(screen.newButton(), Qt::LeftButton);
    QTest::keyClicks(screen.editBox(), "More");
    f.frame->runCommand(command::KeyEscape);
    QCOMPARE(f.app->screens().current(), Screen::Layout);
    QVERIFY(f.app->layoutPage().textList(0));
    QCOMPARE(*f.app->layoutPage().textList(0), stored);
}

void TextScreenTest::draggedTextPrintsWhereItWasPlaced()
{
    REQUIRE_POPPLER();
    Fixture f;
    const auto pdf = f.printToPdf();
    f.addPhoto(kBlue, 120, 80);
    f.app->layoutPage().setCurrentCell(0);
    TextScreen& screen = f.openTextScreen();
    screen.applyColor({ 255, 0, 0 });
    screen.sizeList()->setCurrentText(QStringLiteral("28"));
    QTest::keyClicks(screen.editBox(), "Hi");
    const TextComposer& composer = *screen.composer();
    const Rect box = composer.box();
    Rect extent = extentOf(composer.list().items()[0]);
    QCOMPARE(QPoint(extent.left, extent.top), QPoint(box.left, box.top));

    // Dragged far beyond the corner, the text comes to rest at the bottom-right edges.
    drag(screen.composeView(), centre(extent), centre(extent) + QPoint(2000, 2000), 2);
    extent = extentOf(composer.list().items()[0]);
    QCOMPARE(QPoint(extent.right, extent.bottom), QPoint(box.right, box.bottom));
    QCOMPARE(screen.editBox()->text(), QStringLiteral("Hi"));
    QCOMPARE(screen.composer()->current(), std::optional<std::size_t>(0));
    f.app->screens().accept();

    QVERIFY(f.frame->printPage());
    const QImage page = renderPdf(pdf, f.dir.path());
    QVERIFY(!page.isNull());
    const QRect photo = areaOf(page, kBlue);
    const QRect text = areaOf(page, Qt::red);
    QVERIFY(photo.width() > 100);
    QVERIFY2(!text.isEmpty(), "the text is printed");
    // The text sits in the photo's bottom-right corner, as it was placed.
    QVERIFY(text.center().x() > photo.center().x());
    QVERIFY(text.center().y() > photo.center().y());
    QVERIFY(std::abs(text.right() - photo.right()) < photo.width() / 8);
    QVERIFY(std::abs(text.bottom() - photo.bottom()) < photo.height() / 4);
}

void TextScreenTest::templateDialogOpensFromTheMenuAndEditsTexts()
{
    Fixture f;
    f.printToPdf();
    // Without a photo the command beeps.
    const int beeps = f.host.beeps;
    f.frame->runCommand(command::Template);
    QCOMPARE(f.host.beeps, beeps + 1);

    f.addPhoto(kBlue);
    auto* command = f.frame->findChild<TemplateCommand*>();
    QVERIFY(command);
    bool opened = false;
    QTimer::singleShot(0, [&] {
        TemplateDialog* dialog = command->dialog();
        QVERIFY(dialog);
        opened = true;
        TemplatePreview* preview = dialog->preview();
        const Rect upper = command->state().page.upperRect;
        // A double click on the upper text opens Edit Text for it.
        QTimer::singleShot(0, [&] {
            auto* edit = qobject_cast<EditTextDialog*>(QApplication::activeModalWidget());
            QVERIFY(edit);
            edit->textField()->setPlainText(QStringLiteral("Summer\nat sea"));
            QTest::mouseClick(edit->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        QTest::mouseDClick(preview, Qt::LeftButton, {}, centre(upper));
        dialog->reject();
    });
    f.frame->runCommand(command::Template);
    QVERIFY(opened);
    const MattePage& page = command->state().page;
    QCOMPARE(page.upper.text, std::string("Summer\nat sea"));
    // The text window grew to two lines of the text's font.
    QVERIFY(page.upperRect.height() > 30);
}

void TextScreenTest::templatePhotoStaysCentredAndInsideThePreview()
{
    Fixture f;
    f.printToPdf();
    f.addPhoto(kBlue, 300, 200);
    TemplateState state;
    TemplateDialog dialog(f.frame.get(), *f.app, state, [] {});
    const Rect start = state.page.photoRect;
    QCOMPARE(start.width(), (state.placedIn.width * 50 + 50) / 100);
    QVERIFY(dialog.outputLabel()->text().startsWith(QStringLiteral("Output: ")));
    QVERIFY(dialog.sizeLabel()->text().contains(QStringLiteral(" Inch")));

    dialog.sizeBar()->setValue(5);
    const Rect small = state.page.photoRect;
    QVERIFY(std::abs(centre(small).x() - centre(start).x()) <= 1);
    QVERIFY(std::abs(centre(small).y() - centre(start).y()) <= 1);
    QVERIFY(small.width() < start.width() / 5);

    // Dragged beyond the preview's corner, the photo stops at its edges; texts may go anywhere.
    dialog.sizeBar()->setValue(50);
    const QSize preview = dialog.preview()->size();
    drag(dialog.preview(), centre(state.page.photoRect), QPoint(5000, 5000), 2);
    QCOMPARE(
        QPoint(state.page.photoRect.right, state.page.photoRect.bottom), QPoint(preview.width(), preview.height()));
    const Rect lower = state.page.lowerRect;
    drag(dialog.preview(), centre(lower), centre(lower) + QPoint(0, -40), 2);
    QCOMPARE(state.page.lowerRect.top, lower.top - 40);
}

void TextScreenTest::calendarForFebruary2000PrintsItsDaysUnderTheirWeekdays()
{
    REQUIRE_POPPLER();
    Fixture f;
    const auto pdf = f.printToPdf();
    f.addPhoto(kBlue);
    TemplateState state;
    state.page.month = 1;
    state.page.year = 2000;
    TemplateDialog dialog(f.frame.get(), *f.app, state, [] {});
    dialog.kindBox()->setCurrentIndex(1);
    QCOMPARE(state.page.kind, MatteKind::Calendar);
    QVERIFY(dialog.print());

    const std::vector<Word> words = pdfWords(pdf);
    auto find = [&](const QString& text) -> const Word* {
        for (const Word& word : words)
            if (word.text == text)
                return &word;
        return nullptr;
    };
    QVERIFY(find("February"));
    QVERIFY(find("2000"));
    const Word* tuesday = find("Tue");
    const Word* first = find("1");
    QVERIFY(tuesday && first);
    QVERIFY2(std::abs(first->right - tuesday->right) < 2, "day 1 is right-aligned under Tuesday");
    QVERIFY(first->top > tuesday->bottom);
    for (int day = 1; day <= 29; ++day)
        QVERIFY2(find(QString::number(day)), qPrintable(QString::number(day)));
    QVERIFY(!find("30"));
}

QTEST_MAIN(TextScreenTest)
