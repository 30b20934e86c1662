#pragma once
// The geometric commands on the active document: flips, turns (the Rotate menu and dialog),
// Image Size, the resize handles of a selection, crop and discard. Each works on the selection
// when there is one and on the whole picture otherwise, keeps one undo record, and returns 1
// when the document changed and 0 otherwise (always 0 without an active document).

#include "base/Geometry.h"

#include <array>

namespace gp {

class App;
class ImageSizeModel;

enum class FlipAxis { Horizontal, Vertical };

int flipActive(App& app, FlipAxis axis);
// Turns clockwise by any number of degrees (taken modulo 360).
int rotateActive(App& app, int clockwiseDegrees);
// The Rotate dialog: the typed angle d (counter-clockwise) turns by 360 - d clockwise.
int rotateByDialog(App& app);
// The Image Size dialog, then applyImageSize.
int imageSizeByDialog(App& app);
// What OK of the Image Size dialog does: with the size unchanged and Yes to the question, only the
// resolution changes, in place; otherwise the whole picture is resampled into a new document
// "Untitled-Resampled-nn" (the source document is unchanged, so the result is 0).
int applyImageSize(App& app, const ImageSizeModel& model);
// The selection's resize handles hand over the four corners of the new rectangle.
int resizeByHandles(App& app, const std::array<Point, 4>& corners);
// The crop tool: the selection's rectangle becomes the picture, pixels outside the mask in the
// active colour, and the document is marked modified.
int cropToSelection(App& app);
// Edit > Discard: removes the selection; a floating selection's content leaves the picture.
int discardSelection(App& app);

// Puts commands 155..162 on the App's dispatcher.
void registerTransformCommands(App& app);

} // namespace gp
