#pragma once
// The ids of the main frame's buttons and of the layout page's own bars, by name. The skins, the
// help table and the one-second button rules know buttons by these numbers, so the values are
// fixed.

namespace gp::button {

// On every page of the frame.
inline constexpr int Logo = 0; // the logo: the About box
inline constexpr int Help = 1;
inline constexpr int Minimise = 2;
inline constexpr int Exit = 3;

// The layout page.
inline constexpr int ClearPage = 6;
inline constexpr int GetPhotos = 7;
inline constexpr int CropPhoto = 8;
inline constexpr int EditPhoto = 9;
inline constexpr int FramePhoto = 10;
inline constexpr int Layouts = 11;
inline constexpr int MoreCopies = 12;
inline constexpr int FewerCopies = 13;
inline constexpr int PrinterSetup = 14;
inline constexpr int PrintPage = 15;
inline constexpr int PreviousLayout = 16;
inline constexpr int NextLayout = 17;
inline constexpr int AddText = 100;
inline constexpr int TemplateBarArea = 101;
inline constexpr int PageViewArea = 102;
inline constexpr int LayoutListArea = 103;
inline constexpr int OptionBarArea = 104;
inline constexpr int CategoryListArea = 300;

// The Get Photos page.
inline constexpr int OpenAlbum = 22;
inline constexpr int NewAlbum = 23;
inline constexpr int UsePhotos = 25;
inline constexpr int AlbumCancel = 26;
inline constexpr int AlbumOk = 27;
inline constexpr int AddPhotos = 28;
inline constexpr int SlideShow = 250;
inline constexpr int RemovePhotos = 251;
inline constexpr int RenamePhoto = 252;
inline constexpr int AlbumArea = 301;

// The Crop Photo page.
inline constexpr int CropCancel = 32;
inline constexpr int CropSaveAs = 33;
inline constexpr int CropOk = 34;
inline constexpr int FitCell = 35;
inline constexpr int Portrait = 36;
inline constexpr int Landscape = 37;
inline constexpr int AnyShape = 38;
inline constexpr int CropArea = 302;
// The photo strip beside the Crop, Edit and Frame Photo screens (the same place on each page).
inline constexpr int StripArea = 308;

// The Edit Photo page: the effect list, the strength buttons and Undo.
inline constexpr int EditCancel = 39;
inline constexpr int EditSaveAs = 40;
inline constexpr int EditOk = 41;
inline constexpr int EditUndo = 42;
inline constexpr int Stronger = 43;
inline constexpr int Weaker = 44;
inline constexpr int EditArea = 303;
inline constexpr int EffectListArea = 307;

// The Frame Photo page: the placement buttons (zoom, turn, move) and the next frame; the frames
// themselves are chosen in the page's strip.
inline constexpr int FrameCancel = 59;
inline constexpr int FrameSaveAs = 60;
inline constexpr int FrameOk = 61;
inline constexpr int NextFrame = 64;
inline constexpr int ZoomIn = 65;
inline constexpr int ZoomOut = 66;
inline constexpr int TurnLeft = 67;
inline constexpr int TurnRight = 68;
inline constexpr int MoveLeft = 69;
inline constexpr int MoveRight = 70;
inline constexpr int MoveUp = 71;
inline constexpr int MoveDown = 72;
inline constexpr int FrameArea = 304;

// The text screen and the template editor.
inline constexpr int TextCancel = 70;
inline constexpr int TextOk = 71;
inline constexpr int TextArea = 305;
inline constexpr int TemplateCancel = 80;
inline constexpr int TemplateOk = 81;
inline constexpr int TemplateArea = 306;

// The layout page's My Templates bar and size slider bar.
inline constexpr int AddTemplate = 350;
inline constexpr int NewTemplate = 351;
inline constexpr int EditTemplate = 352;
inline constexpr int PhotoSize = 360;

// The buttons of the frame's pages have ids below this; the auxiliary bars' start above it.
inline constexpr int PageButtonLimit = 66;

} // namespace gp::button
