#pragma once
// The program's command ids: buttons, accelerators, menus and internal messages all become one
// of these before the dispatcher routes them.

namespace gp::command {

inline constexpr int Open = 101;
inline constexpr int Close = 102;
inline constexpr int Save = 103;
inline constexpr int SaveAs = 104;
inline constexpr int AddToAlbum = 106;
inline constexpr int SlideShow = 107;
inline constexpr int Template = 108;
inline constexpr int Acquire = 109;
inline constexpr int SelectSource = 110;
inline constexpr int Print = 111;
inline constexpr int PrinterSetup = 112;
inline constexpr int Exit = 113;
inline constexpr int RecentFile1 = 114; // ..117
inline constexpr int OpenNamed = 118;
inline constexpr int SendMail = 119;
inline constexpr int AlbumCommand = 120;
inline constexpr int Undo = 150;
inline constexpr int Cut = 151;
inline constexpr int Copy = 152;
inline constexpr int Paste = 153;
inline constexpr int PasteAsNew = 154;
inline constexpr int Discard = 155;
inline constexpr int FlipHorizontal = 156;
inline constexpr int FlipVertical = 157;
inline constexpr int RotateLeft90 = 158;
inline constexpr int Rotate180 = 159;
inline constexpr int RotateRight90 = 160;
inline constexpr int RotateByDegrees = 161;
inline constexpr int ImageSize = 162;
inline constexpr int Stitch = 163;
inline constexpr int Delete = 166;
inline constexpr int ZoomFirst = 200; // ..234
inline constexpr int ZoomActual = 200;
inline constexpr int ZoomRatioFirst = 201; // 201..215 are 2:1 .. 16:1, 217..231 are 1:2 .. 1:16
inline constexpr int ZoomRatioLast = 231;
inline constexpr int ZoomReductionBase = 216; // 1:1 again, the origin of the reductions
inline constexpr int ZoomIn = 232;
inline constexpr int ZoomOut = 233;
inline constexpr int ZoomFit = 234;
inline constexpr int ZoomLast = 234;
inline constexpr int FullScreen = 235;
inline constexpr int ImageInformation = 236;
inline constexpr int ShowToolsBar = 237;
inline constexpr int ShowStatusBar = 238;
inline constexpr int BrightnessContrast = 250;
inline constexpr int HueSaturation = 251;
inline constexpr int ToneAdjustment = 252;
inline constexpr int Blur = 253;
inline constexpr int Sharpen = 254;
inline constexpr int EffectFirst = 300; // ..318
inline constexpr int EffectBrowser = 318; // the last effect command opens the browser of them all
inline constexpr int EffectLast = 318;
inline constexpr int ToBlackWhite = 350;
inline constexpr int ToGrayscale = 351;
inline constexpr int To16Colors = 352;
inline constexpr int To256Colors = 353;
inline constexpr int ToTrueColor = 354;
inline constexpr int Tile = 401; // ..403: orders for the document area, which is never created
inline constexpr int Cascade = 402;
inline constexpr int ArrangeIcons = 403;
inline constexpr int CloseAll = 404;
inline constexpr int HelpIndex = 450;
inline constexpr int About = 454;
inline constexpr int Readme = 455;
inline constexpr int KeyEnter = 40008;
inline constexpr int KeyEscape = 40009;
inline constexpr int KeyF1 = 40010;
inline constexpr int KeyCut = 40011;
inline constexpr int KeyPaste = 40012;
inline constexpr int KeyCopy = 40013;
inline constexpr int KeyRotate = 40014;
inline constexpr int KeyPrint = 40015;
inline constexpr int KeySaveAs = 40016;
inline constexpr int KeyDelete = 40017;

// What a command reports: the image changed (the document becomes modified) or it was saved.
inline constexpr int ResultNone = 0;
inline constexpr int ResultChanged = 1;
inline constexpr int ResultSaved = 2;

} // namespace gp::command
