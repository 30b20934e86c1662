#pragma once
// Turns a scanned frame (top-down rows, R,G,B samples, tightly packed) into the packed
// device-independent bitmap a native transfer hands over: a 40-byte header, the colour table
// (white then black for 1-bit frames, where a set bit is black; the gray ramp for 8-bit gray),
// and bottom-up rows of B,G,R samples padded to 4 bytes. The block comes from malloc and
// belongs to the receiver; nothing when it cannot be had.

#include "SaneDevice.h"

namespace gp::twain {

void* makePackedBitmap(const ScannedFrame& frame);

// The packed row of one frame row for memory transfers: top-down, R,G,B, padded to 4 bytes.
std::size_t paddedRowBytes(const ScannedFrame& frame);

// Pixels per metre for a resolution in dots per inch, truncated as the program does.
int pixelsPerMeter(double dpi);

} // namespace gp::twain
