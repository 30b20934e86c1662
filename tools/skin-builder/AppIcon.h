#pragma once
// The program's icon for the desktop's icon theme: the same shapes as the hand-written scalable
// icon (a photo print on a blue tile with a glint), drawn at one pixel size.

#include <QImage>

namespace gp::skin {

QImage appIcon(int size);

} // namespace gp::skin
