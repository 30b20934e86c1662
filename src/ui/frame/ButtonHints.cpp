#include "frame/ButtonHints.h"

#include <utility>

namespace gp::ui {

namespace {

using enum StringId;

constexpr std::pair<int, StringId> kHints[] = {
    { 0, HintAbout },
    { 1, HintHelp },
    { 2, HintMinimise },
    { 3, HintExit },
    { 7, HintGetPhotos },
    { 8, HintCrop },
    { 9, HintEdit },
    { 10, HintFrame },
    { 100, HintText },
    { 6, HintClear },
    { 11, HintLayouts },
    { 12, HintMoreCopies },
    { 13, HintFewerCopies },
    { 14, HintPrinterSetup },
    { 15, HintPrint },
    { 16, HintPreviousLayout },
    { 17, HintNextLayout },
    { 22, HintOpenAlbum },
    { 23, HintNewAlbum },
    { 28, HintAddPhotos },
    { 25, HintUsePhotos },
    { 250, HintSlideShow },
    { 251, HintRemove },
    { 252, HintRename },
    { 26, HintCancel },
    { 32, HintCancel },
    { 39, HintCancel },
    { 59, HintCancel },
    { 70, HintCancel },
    { 80, HintCancel },
    { 27, HintOk },
    { 34, HintOk },
    { 41, HintOk },
    { 61, HintOk },
    { 71, HintOk },
    { 81, HintOk },
    { 35, HintFitCell },
    { 36, HintPortrait },
    { 37, HintLandscape },
    { 38, HintAnyShape },
    { 33, HintSaveAs },
    { 43, HintStronger },
    { 44, HintWeaker },
    { 65, HintZoomIn },
    { 66, HintZoomOut },
    { 67, HintTurnLeft },
    { 68, HintTurnRight },
    { 69, HintMoveLeft },
    { 70, HintMoveRight },
    { 71, HintMoveUp },
    { 72, HintMoveDown },
    { 42, HintUndo },
    { 40, HintSaveAs },
    { 60, HintSaveAs },
    { 64, HintNextFrame },
};

} // namespace

std::optional<StringId> buttonHint(int buttonId)
{
    for (const auto& [id, hint] : kHints)
        if (id == buttonId)
            return hint;
    return std::nullopt;
}

} // namespace gp::ui
