#include "skin/ButtonLayout.h"

#include "shell/ButtonIds.h"

namespace gp::ui {

namespace {

using K = ButtonKind;
using G = Glyph;
using S = Style;

constexpr Rect at(int x, int y, int w, int h)
{
    return { x, y, x + w, y + h };
}

// Every page starts with the logo, Help, Minimise and Exit.
#define GP_FRAME_COMMON                                                                                                \
    { button::Logo, K::Push, 0, "Glimmerpress", G::Logo, S::Round, at(10, 8, 270, 44) },                               \
        { button::Help, K::Push, 0, "", G::Help, S::Small, at(680, 14, 32, 32) },                                      \
        { button::Minimise, K::Push, 0, "", G::Minimise, S::Small, at(716, 14, 32, 32) },                              \
    {                                                                                                                  \
        button::Exit, K::Push, 0, "", G::Close, S::Small, at(752, 14, 32, 32)                                          \
    }

constexpr ButtonSpec kLayoutPage[] = {
    GP_FRAME_COMMON,
    { button::GetPhotos, K::Push, 0, "Get Photos", G::Photos, S::Wide, at(12, 72, 156, 52) },
    { button::CropPhoto, K::Push, 0, "Crop Photo", G::Crop, S::Wide, at(12, 134, 156, 52) },
    { button::EditPhoto, K::Push, 0, "Edit Photo", G::Edit, S::Wide, at(12, 196, 156, 52) },
    { button::FramePhoto, K::Push, 0, "Frame Photo", G::Frame, S::Wide, at(12, 258, 156, 52) },
    { button::AddText, K::Push, 0, "Add Text", G::Text, S::Wide, at(12, 320, 156, 52) },
    { button::ClearPage, K::Push, 0, "Clear Page", G::Clear, S::Wide, at(12, 382, 156, 52) },
    { button::Layouts, K::Push, 0, "Layouts", G::List, S::Wide, at(632, 72, 156, 44) },
    { button::MoreCopies, K::Repeat, 0, "", G::Plus, S::Small, at(734, 300, 54, 23) },
    { button::FewerCopies, K::Repeat, 0, "", G::Minus, S::Small, at(734, 325, 54, 23) },
    { button::PrinterSetup, K::Push, 0, "Printer Setup", G::Printer, S::Wide, at(632, 358, 156, 44) },
    { button::PrintPage, K::Push, 0, "Print", G::Print, S::Accent, at(632, 410, 156, 58) },
    { button::PreviousLayout, K::Repeat, 0, "", G::Left, S::Small, at(632, 476, 76, 34) },
    { button::NextLayout, K::Repeat, 0, "", G::Right, S::Small, at(712, 476, 76, 34) },
    { button::TemplateBarArea, K::Area, 0, "", G::None, S::Wide, kTemplateBarRect },
    { button::PageViewArea, K::Area, 0, "", G::None, S::Wide, at(180, 68, 340, 460) },
    { button::LayoutListArea, K::Area, 0, "", G::None, S::Wide, at(526, 68, 94, 460) },
    { button::OptionBarArea, K::Area, 0, "", G::None, S::Wide, kOptionBarRect },
    { button::CategoryListArea, K::Area, 0, "", G::None, S::Wide, kCategoryListRect },
};

constexpr ButtonSpec kAlbumPage[] = {
    GP_FRAME_COMMON,
    { button::OpenAlbum, K::Push, 0, "Open Album", G::Album, S::Wide, at(12, 72, 156, 48) },
    { button::NewAlbum, K::Push, 0, "New Album", G::Add, S::Wide, at(12, 128, 156, 48) },
    { button::AddPhotos, K::Push, 0, "Add Photos", G::Photos, S::Wide, at(12, 184, 156, 48) },
    { button::UsePhotos, K::Push, 0, "Use Photos", G::Star, S::Wide, at(12, 240, 156, 48) },
    { button::SlideShow, K::Push, 0, "Slide Show", G::Show, S::Wide, at(12, 296, 156, 48) },
    { button::RemovePhotos, K::Push, 0, "Remove", G::Remove, S::Wide, at(12, 352, 156, 48) },
    { button::RenamePhoto, K::Push, 0, "Rename", G::Rename, S::Wide, at(12, 408, 156, 48) },
    { button::AlbumCancel, K::Push, 0, "Cancel", G::Cancel, S::Wide, at(632, 410, 156, 48) },
    { button::AlbumOk, K::Push, 0, "OK", G::Ok, S::Accent, at(632, 466, 156, 58) },
    { button::AlbumArea, K::Area, 0, "", G::None, S::Wide, at(180, 68, 440, 500) },
};

// The crop, edit and frame pages keep the left column for the photo strip (one column of three
// 105-pixel cells, 110 apart, from 42, 144) and put their own buttons in the right column above
// Save As, Cancel and OK.
#define GP_STRIP_AREA                                                                                                  \
    {                                                                                                                  \
        button::StripArea, K::Area, 0, "", G::None, S::Wide, at(42, 144, 122, 325)                                     \
    }

constexpr ButtonSpec kCropPage[] = {
    GP_FRAME_COMMON,
    { button::FitCell, K::Push, 1, "Fit Cell", G::Crop, S::Wide, at(632, 72, 156, 48) },
    { button::Portrait, K::Push, 1, "Portrait", G::Photos, S::Wide, at(632, 128, 156, 48) },
    { button::Landscape, K::Push, 1, "Landscape", G::Photos, S::Wide, at(632, 184, 156, 48) },
    { button::AnyShape, K::Push, 1, "Any Shape", G::Crop, S::Wide, at(632, 240, 156, 48) },
    { button::CropSaveAs, K::Push, 0, "Save As", G::Save, S::Wide, at(632, 352, 156, 48) },
    { button::CropCancel, K::Push, 0, "Cancel", G::Cancel, S::Wide, at(632, 410, 156, 48) },
    { button::CropOk, K::Push, 0, "OK", G::Ok, S::Accent, at(632, 466, 156, 58) },
    { button::CropArea, K::Area, 0, "", G::None, S::Wide, at(180, 68, 440, 500) },
    GP_STRIP_AREA,
};

// The effect list (with the strength under it) fills the right column above the strength
// buttons; Undo stands above the strip.
constexpr ButtonSpec kEditPage[] = {
    GP_FRAME_COMMON,
    { button::EditUndo, K::Push, 0, "Undo", G::Left, S::Wide, at(12, 84, 156, 48) },
    { button::Stronger, K::Repeat, 0, "Stronger", G::Plus, S::Small, at(632, 302, 76, 40) },
    { button::Weaker, K::Repeat, 0, "Weaker", G::Minus, S::Small, at(712, 302, 76, 40) },
    { button::EditSaveAs, K::Push, 0, "Save As", G::Save, S::Wide, at(632, 352, 156, 48) },
    { button::EditCancel, K::Push, 0, "Cancel", G::Cancel, S::Wide, at(632, 410, 156, 48) },
    { button::EditOk, K::Push, 0, "OK", G::Ok, S::Accent, at(632, 466, 156, 58) },
    { button::EditArea, K::Area, 0, "", G::None, S::Wide, at(180, 68, 440, 500) },
    { button::EffectListArea, K::Area, 0, "", G::None, S::Wide, at(632, 72, 156, 224) },
    GP_STRIP_AREA,
};

// The placement buttons and Next Frame fill the right column; the frames are in the strip.
constexpr ButtonSpec kFramePage[] = {
    GP_FRAME_COMMON,
    { button::ZoomIn, K::Repeat, 0, "Zoom In", G::Plus, S::Small, at(632, 72, 76, 34) },
    { button::ZoomOut, K::Repeat, 0, "Zoom Out", G::Minus, S::Small, at(712, 72, 76, 34) },
    { button::TurnLeft, K::Repeat, 0, "Turn Left", G::None, S::Small, at(632, 110, 76, 34) },
    { button::TurnRight, K::Repeat, 0, "Turn Right", G::None, S::Small, at(712, 110, 76, 34) },
    { button::MoveUp, K::Repeat, 0, "", G::Up, S::Small, at(686, 152, 48, 30) },
    { button::MoveLeft, K::Repeat, 0, "", G::Left, S::Small, at(632, 186, 48, 30) },
    { button::MoveRight, K::Repeat, 0, "", G::Right, S::Small, at(740, 186, 48, 30) },
    { button::MoveDown, K::Repeat, 0, "", G::Down, S::Small, at(686, 220, 48, 30) },
    { button::NextFrame, K::Push, 0, "Next Frame", G::Frame, S::Wide, at(632, 264, 156, 40) },
    { button::FrameSaveAs, K::Push, 0, "Save As", G::Save, S::Wide, at(632, 352, 156, 48) },
    { button::FrameCancel, K::Push, 0, "Cancel", G::Cancel, S::Wide, at(632, 410, 156, 48) },
    { button::FrameOk, K::Push, 0, "OK", G::Ok, S::Accent, at(632, 466, 156, 58) },
    { button::FrameArea, K::Area, 0, "", G::None, S::Wide, at(180, 68, 440, 500) },
    GP_STRIP_AREA,
};

#undef GP_STRIP_AREA

constexpr ButtonSpec kTextPage[] = {
    GP_FRAME_COMMON,
    { button::TextCancel, K::Push, 0, "Cancel", G::Cancel, S::Wide, at(632, 410, 156, 48) },
    { button::TextOk, K::Push, 0, "OK", G::Ok, S::Accent, at(632, 466, 156, 58) },
    { button::TextArea, K::Area, 0, "", G::None, S::Wide, at(180, 68, 440, 500) },
};

constexpr ButtonSpec kTemplatePage[] = {
    GP_FRAME_COMMON,
    { button::TemplateCancel, K::Push, 0, "Cancel", G::Cancel, S::Wide, at(632, 410, 156, 48) },
    { button::TemplateOk, K::Push, 0, "OK", G::Ok, S::Accent, at(632, 466, 156, 58) },
    { button::TemplateArea, K::Area, 0, "", G::None, S::Wide, at(180, 68, 440, 500) },
};

#undef GP_FRAME_COMMON

constexpr ButtonSpec kTemplateBar[] = {
    { button::AddTemplate, K::Push, 0, "Add Template", G::Add, S::Accent, at(4, 4, 144, 32) },
    { button::NewTemplate, K::Push, 0, "New", G::Star, S::Wide, at(156, 4, 136, 32) },
    { button::EditTemplate, K::Push, 0, "Edit", G::Edit, S::Wide, at(300, 4, 136, 32) },
};

constexpr ButtonSpec kSliderBar[] = {
    { button::PhotoSize, K::SliderControl, 0, "Photo Size", G::None, S::Wide, at(8, 30, 140, 28) },
};

constexpr ButtonSpec kListPage[] = {
    { 1, K::OwnerDrawn, 0, "", G::None, S::Wide, at(4, 4, 128, kListRowHeight) },
    { 2, K::OwnerDrawn, 0, "", G::None, S::Wide, at(4, 4 + 1 * kListRowHeight, 128, kListRowHeight) },
    { 3, K::OwnerDrawn, 0, "", G::None, S::Wide, at(4, 4 + 2 * kListRowHeight, 128, kListRowHeight) },
    { 4, K::OwnerDrawn, 0, "", G::None, S::Wide, at(4, 4 + 3 * kListRowHeight, 128, kListRowHeight) },
    { 5, K::OwnerDrawn, 0, "", G::None, S::Wide, at(4, 4 + 4 * kListRowHeight, 128, kListRowHeight) },
    { 6, K::OwnerDrawn, 0, "", G::None, S::Wide, at(4, 4 + 5 * kListRowHeight, 128, kListRowHeight) },
    { 7, K::Repeat, 0, "", G::Up, S::Small, at(134, 4, 18, 66) },
    { 8, K::Repeat, 0, "", G::Down, S::Small, at(134, 76, 18, 66) },
};

} // namespace

std::span<const ButtonSpec> framePage(int page)
{
    switch (page) {
    case 0: return kLayoutPage;
    case 1: return kAlbumPage;
    case 2: return kCropPage;
    case 3: return kEditPage;
    case 4: return kFramePage;
    case 5: return kTextPage;
    case 6: return kTemplatePage;
    default: return {};
    }
}

std::span<const ButtonSpec> auxiliaryPage(int page)
{
    switch (page) {
    case 0: return kTemplateBar;
    case 1: return kSliderBar;
    default: return {};
    }
}

std::span<const ButtonSpec> listPage()
{
    return kListPage;
}

} // namespace gp::ui
