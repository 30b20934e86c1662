#include "frame/CommandMenu.h"

#include "shell/CommandIds.h"
#include "shell/StringTable.h"

namespace gp::ui {

namespace {

QString label(StringId id)
{
    return QString::fromUtf8(text(id).data(), qsizetype(text(id).size()));
}

struct Item {
    int command; // 0 separator
    StringId label;
};

// What every item needs from the caller.
struct MenuCallbacks {
    const std::function<void(int)>& run;
    const std::function<bool(int)>& checked;
    const std::function<bool(int)>& available;
};

void addAction(QMenu* menu, const QString& text, int id, const MenuCallbacks& callbacks)
{
    QAction* action = menu->addAction(text);
    action->setData(id);
    if (id == command::ShowToolsBar || id == command::ShowStatusBar) {
        action->setCheckable(true);
        action->setChecked(callbacks.checked(id));
    }
    // A command nobody performs yet must not look live.
    action->setEnabled(!callbacks.available || callbacks.available(id));
    QObject::connect(action, &QAction::triggered, menu, [run = callbacks.run, id] { run(id); });
}

void addItems(QMenu* menu, std::initializer_list<Item> items, const MenuCallbacks& callbacks)
{
    for (const Item& item : items) {
        if (item.command == 0)
            menu->addSeparator();
        else
            addAction(menu, label(item.label), item.command, callbacks);
    }
}

} // namespace

const std::vector<Accelerator>& accelerators()
{
    static const std::vector<Accelerator> table = {
        { QKeySequence(Qt::CTRL | Qt::Key_C), command::KeyCopy },
        { QKeySequence(Qt::CTRL | Qt::Key_P), command::KeyPrint },
        { QKeySequence(Qt::CTRL | Qt::Key_R), command::KeyRotate },
        { QKeySequence(Qt::CTRL | Qt::Key_S), command::KeySaveAs },
        { QKeySequence(Qt::CTRL | Qt::Key_V), command::KeyPaste },
        { QKeySequence(Qt::Key_Delete), command::KeyDelete },
        { QKeySequence(Qt::Key_Escape), command::KeyEscape },
        { QKeySequence(Qt::Key_F1), command::KeyF1 },
        { QKeySequence(Qt::Key_Return), command::KeyEnter },
        { QKeySequence(Qt::Key_Enter), command::KeyEnter },
        { QKeySequence(Qt::CTRL | Qt::Key_X), command::KeyCut },
        { QKeySequence(Qt::Key_F2), command::ImageSize },
        { QKeySequence(Qt::Key_F3), command::BrightnessContrast },
        { QKeySequence(Qt::Key_F4), command::HueSaturation },
        { QKeySequence(Qt::Key_F5), command::ToneAdjustment },
        { QKeySequence(Qt::Key_F6), command::Blur },
        { QKeySequence(Qt::Key_F7), command::Sharpen },
        { QKeySequence(Qt::Key_F8), command::EffectBrowser },
    };
    return table;
}

QMenu* buildCommandMenu(QWidget* parent, const std::function<void(int)>& run, const std::function<bool(int)>& checked,
    const QStringList& recent, const std::function<bool(int)>& available)
{
    using namespace command;
    const MenuCallbacks callbacks { run, checked, available };
    auto* menu = new QMenu(parent);
    QMenu* file = menu->addMenu(label(StringId::MenuFile));
    addItems(file,
        { { Open, StringId::MenuOpen }, { Close, StringId::MenuClose }, { Save, StringId::MenuSave },
            { SaveAs, StringId::MenuSaveAs }, { 0, {} }, { AddToAlbum, StringId::MenuAddToAlbum },
            { SlideShow, StringId::MenuSlideShow }, { Template, StringId::MenuTemplate }, { 0, {} },
            { Acquire, StringId::MenuAcquire }, { SelectSource, StringId::MenuSelectSource }, { 0, {} },
            { Print, StringId::MenuPrint }, { PrinterSetup, StringId::MenuPrinterSetup },
            { SendMail, StringId::MenuSendMail } },
        callbacks);
    file->addSeparator();
    for (int i = 0; i < recent.size() && i < 4; ++i)
        if (!recent[i].isEmpty())
            addAction(file, QStringLiteral("&%1 %2").arg(i + 1).arg(recent[i]), RecentFile1 + i, callbacks);
    addItems(file, { { 0, {} }, { Exit, StringId::MenuExit } }, callbacks);
    addItems(menu->addMenu(label(StringId::MenuEdit)),
        { { Undo, StringId::MenuUndo }, { 0, {} }, { Cut, StringId::MenuCut }, { Copy, StringId::MenuCopy },
            { Paste, StringId::MenuPaste }, { PasteAsNew, StringId::MenuPasteAsNew }, { 0, {} },
            { Discard, StringId::MenuDiscard }, { Delete, StringId::MenuDelete } },
        callbacks);
    // Stitch has no defined operation, so it has no item.
    addItems(menu->addMenu(label(StringId::MenuImage)),
        { { FlipHorizontal, StringId::MenuFlipH }, { FlipVertical, StringId::MenuFlipV }, { 0, {} },
            { RotateLeft90, StringId::MenuRotateLeft }, { Rotate180, StringId::MenuRotate180 },
            { RotateRight90, StringId::MenuRotateRight }, { RotateByDegrees, StringId::MenuRotateBy }, { 0, {} },
            { ImageSize, StringId::MenuImageSize } },
        callbacks);

    QMenu* view = menu->addMenu(label(StringId::MenuView));
    addItems(view,
        { { ZoomIn, StringId::MenuZoomIn }, { ZoomOut, StringId::MenuZoomOut }, { ZoomFit, StringId::MenuZoomFit },
            { ZoomActual, StringId::MenuZoomActual } },
        callbacks);
    QMenu* ratios = view->addMenu(label(StringId::MenuZoomRatio));
    for (int id = ZoomRatioFirst; id <= ZoomRatioLast; ++id) {
        // The reductions' own 1:1 repeats Actual Size.
        if (id == ZoomReductionBase)
            continue;
        const QString ratio = id < ZoomReductionBase ? QStringLiteral("%1:1").arg(id - ZoomActual + 1)
                                                     : QStringLiteral("1:%1").arg(id - ZoomReductionBase + 1);
        addAction(ratios, ratio, id, callbacks);
    }
    addItems(view,
        { { 0, {} }, { FullScreen, StringId::MenuFullScreen }, { ImageInformation, StringId::MenuImageInfo }, { 0, {} },
            { ShowToolsBar, StringId::MenuToolsBar }, { ShowStatusBar, StringId::MenuStatusBar } },
        callbacks);

    QMenu* adjust = menu->addMenu(label(StringId::MenuAdjust));
    addItems(adjust,
        { { BrightnessContrast, StringId::MenuBrightness }, { HueSaturation, StringId::MenuHue },
            { ToneAdjustment, StringId::MenuTone }, { 0, {} }, { Blur, StringId::MenuBlur },
            { Sharpen, StringId::MenuSharpen } },
        callbacks);
    // The effects by name (their names are consecutive texts from Painting on), then the browser.
    QMenu* effects = adjust->addMenu(label(StringId::MenuEffects));
    for (int id = EffectFirst; id < EffectBrowser; ++id) {
        const std::string_view name = text(int(StringId::NamePainting) + id - EffectFirst);
        addAction(effects, QString::fromUtf8(name.data(), qsizetype(name.size())), id, callbacks);
    }
    effects->addSeparator();
    addAction(effects, label(StringId::DialogEffectsBrowser), EffectBrowser, callbacks);

    addItems(menu->addMenu(label(StringId::MenuMode)),
        { { ToBlackWhite, StringId::MenuToBlackWhite }, { ToGrayscale, StringId::MenuToGray },
            { To16Colors, StringId::MenuTo16 }, { To256Colors, StringId::MenuTo256 },
            { ToTrueColor, StringId::MenuToTrue } },
        callbacks);
    // Tile, Cascade and Arrange Icons would order a document area that the frame never has, so
    // the Window menu offers only Close All.
    addItems(menu->addMenu(label(StringId::MenuWindow)), { { CloseAll, StringId::MenuCloseAll } }, callbacks);
    addItems(menu->addMenu(label(StringId::MenuHelp)),
        { { HelpIndex, StringId::MenuHelpIndex }, { 0, {} }, { Readme, StringId::MenuReadme },
            { About, StringId::MenuAbout } },
        callbacks);
    return menu;
}

} // namespace gp::ui
