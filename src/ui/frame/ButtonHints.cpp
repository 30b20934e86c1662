#include "frame/ButtonHints.h"

#include "shell/ButtonIds.h"

#include <utility>

namespace gp::ui {

namespace {

using enum StringId;

constexpr std::pair<int, StringId> kHints[] = {
    { button::Logo, HintAbout },
    { button::Help, HintHelp },
    { button::Minimise, HintMinimise },
    { button::Exit, HintExit },
    { button::GetPhotos, HintGetPhotos },
    { button::CropPhoto, HintCrop },
    { button::EditPhoto, HintEdit },
    { button::FramePhoto, HintFrame },
    { button::AddText, HintText },
    { button::ClearPage, HintClear },
    { button::Layouts, HintLayouts },
    { button::MoreCopies, HintMoreCopies },
    { button::FewerCopies, HintFewerCopies },
    { button::PrinterSetup, HintPrinterSetup },
    { button::PrintPage, HintPrint },
    { button::PreviousLayout, HintPreviousLayout },
    { button::NextLayout, HintNextLayout },
    { button::OpenAlbum, HintOpenAlbum },
    { button::NewAlbum, HintNewAlbum },
    { button::AddPhotos, HintAddPhotos },
    { button::UsePhotos, HintUsePhotos },
    { button::SlideShow, HintSlideShow },
    { button::RemovePhotos, HintRemove },
    { button::RenamePhoto, HintRename },
    { button::AlbumCancel, HintCancel },
    { button::CropCancel, HintCancel },
    { button::EditCancel, HintCancel },
    { button::FrameCancel, HintCancel },
    { button::TextCancel, HintCancel },
    { button::TemplateCancel, HintCancel },
    { button::AlbumOk, HintOk },
    { button::CropOk, HintOk },
    { button::EditOk, HintOk },
    { button::FrameOk, HintOk },
    { button::TextOk, HintOk },
    { button::TemplateOk, HintOk },
    { button::FitCell, HintFitCell },
    { button::Portrait, HintPortrait },
    { button::Landscape, HintLandscape },
    { button::AnyShape, HintAnyShape },
    { button::CropSaveAs, HintSaveAs },
    { button::Stronger, HintStronger },
    { button::Weaker, HintWeaker },
    { button::ZoomIn, HintZoomIn },
    { button::ZoomOut, HintZoomOut },
    { button::TurnLeft, HintTurnLeft },
    { button::TurnRight, HintTurnRight },
    { button::MoveLeft, HintMoveLeft },
    { button::MoveRight, HintMoveRight },
    { button::MoveUp, HintMoveUp },
    { button::MoveDown, HintMoveDown },
    { button::EditUndo, HintUndo },
    { button::EditSaveAs, HintSaveAs },
    { button::FrameSaveAs, HintSaveAs },
    { button::NextFrame, HintNextFrame },
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
