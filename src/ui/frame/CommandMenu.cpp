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

void addItems(QMenu* menu, std::initializer_list<Item> items, const std::function<void(int)>& run,
    const std::function<bool(int)>& checked)
{
    for (const Item& item : items) {
        if (item.command == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(label(item.label));
        const int id = item.command;
        if (id == command::ShowToolsBar || id == command::ShowStatusBar) {
            action->setCheckable(true);
            action->setChecked(checked(id));
        }
        QObject::connect(action, &QAction::triggered, menu, [run, id] { run(id); });
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
    };
    return table;
}

QMenu* buildCommandMenu(QWidget* parent, const std::function<void(int)>& run, const std::function<bool(int)>& checked,
    const QStringList& recent)
{
    using namespace command;
    auto* menu = new QMenu(parent);
    QMenu* file = menu->addMenu(label(StringId::MenuFile));
    addItems(file,
        { { Open, StringId::MenuOpen }, { Close, StringId::MenuClose }, { Save, StringId::MenuSave },
            { SaveAs, StringId::MenuSaveAs }, { 0, {} }, { AddToAlbum, StringId::MenuAddToAlbum },
            { SlideShow, StringId::MenuSlideShow }, { Template, StringId::MenuTemplate }, { 0, {} },
            { Acquire, StringId::MenuAcquire }, { SelectSource, StringId::MenuSelectSource }, { 0, {} },
            { Print, StringId::MenuPrint }, { PrinterSetup, StringId::MenuPrinterSetup },
            { SendMail, StringId::MenuSendMail } },
        run, checked);
    file->addSeparator();
    for (int i = 0; i < recent.size() && i < 4; ++i) {
        if (recent[i].isEmpty())
            continue;
        const int id = RecentFile1 + i;
        QObject::connect(file->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(recent[i])), &QAction::triggered, menu,
            [run, id] { run(id); });
    }
    addItems(file, { { 0, {} }, { Exit, StringId::MenuExit } }, run, checked);
    addItems(menu->addMenu(label(StringId::MenuEdit)),
        { { Undo, StringId::MenuUndo }, { 0, {} }, { Cut, StringId::MenuCut }, { Copy, StringId::MenuCopy },
            { Paste, StringId::MenuPaste }, { PasteAsNew, StringId::MenuPasteAsNew }, { 0, {} },
            { Discard, StringId::MenuDiscard }, { Delete, StringId::MenuDelete } },
        run, checked);
    addItems(menu->addMenu(label(StringId::MenuImage)),
        { { FlipHorizontal, StringId::MenuFlipH }, { FlipVertical, StringId::MenuFlipV }, { 0, {} },
            { RotateLeft90, StringId::MenuRotateLeft }, { Rotate180, StringId::MenuRotate180 },
            { RotateRight90, StringId::MenuRotateRight }, { RotateByDegrees, StringId::MenuRotateBy }, { 0, {} },
            { ImageSize, StringId::MenuImageSize }, { Stitch, StringId::MenuStitch } },
        run, checked);

    QMenu* view = menu->addMenu(label(StringId::MenuView));
    addItems(view,
        { { 232, StringId::MenuZoomIn }, { 233, StringId::MenuZoomOut }, { 234, StringId::MenuZoomFit },
            { 200, StringId::MenuZoomActual } },
        run, checked);
    QMenu* ratios = view->addMenu(label(StringId::MenuZoomRatio));
    for (int id = 201; id <= 231; ++id) {
        if (id == 216)
            continue;
        const QString ratio = id <= 215 ? QStringLiteral("%1:1").arg(id - 199) : QStringLiteral("1:%1").arg(id - 214);
        QObject::connect(ratios->addAction(ratio), &QAction::triggered, menu, [run, id] { run(id); });
    }
    addItems(view,
        { { 0, {} }, { FullScreen, StringId::MenuFullScreen }, { ImageInformation, StringId::MenuImageInfo }, { 0, {} },
            { ShowToolsBar, StringId::MenuToolsBar }, { ShowStatusBar, StringId::MenuStatusBar } },
        run, checked);

    QMenu* adjust = menu->addMenu(label(StringId::MenuAdjust));
    addItems(adjust,
        { { BrightnessContrast, StringId::MenuBrightness }, { HueSaturation, StringId::MenuHue },
            { ToneAdjustment, StringId::MenuTone }, { 0, {} }, { Blur, StringId::MenuBlur },
            { Sharpen, StringId::MenuSharpen } },
        run, checked);
    QMenu* effects = adjust->addMenu(label(StringId::MenuEffects));
    for (int id = EffectFirst; id <= EffectLast; ++id)
        QObject::connect(
            effects->addAction(QString::fromStdString(formatText(StringId::MenuEffect, id - EffectFirst + 1))),
            &QAction::triggered, menu, [run, id] { run(id); });

    addItems(menu->addMenu(label(StringId::MenuMode)),
        { { ToBlackWhite, StringId::MenuToBlackWhite }, { ToGrayscale, StringId::MenuToGray },
            { To16Colors, StringId::MenuTo16 }, { To256Colors, StringId::MenuTo256 },
            { ToTrueColor, StringId::MenuToTrue } },
        run, checked);
    addItems(menu->addMenu(label(StringId::MenuWindow)),
        { { 401, StringId::MenuTile }, { 402, StringId::MenuCascade }, { 403, StringId::MenuArrange },
            { CloseAll, StringId::MenuCloseAll } },
        run, checked);
    addItems(menu->addMenu(label(StringId::MenuHelp)),
        { { HelpIndex, StringId::MenuHelpIndex }, { 0, {} }, { Readme, StringId::MenuReadme },
            { About, StringId::MenuAbout } },
        run, checked);
    return menu;
}

} // namespace gp::ui
