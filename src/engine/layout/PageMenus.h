#pragma once
// Which items of the page view's context menus are enabled. Every item starts greyed; Help is
// always available. On a cell: a photo enables Rotate Photo, Delete, Cut, Copy, and Copy to Empty
// Cells unless every cell of the layout already holds a photo; a text list alone enables Delete,
// Cut and Copy; Paste needs something in the cell clipboard. On the free-style page: a selected
// photo object enables Adjust Size and Rotate Photo; any selected object Cut, Copy and Delete;
// Paste needs something in either object clipboard.

#include "layout/LayoutPage.h"

namespace gp {

struct CellMenuItems {
    bool rotatePhoto = false;
    bool remove = false;
    bool cut = false;
    bool copy = false;
    bool copyToEmptyCells = false;
    bool paste = false;
    friend bool operator==(const CellMenuItems&, const CellMenuItems&) = default;
};
CellMenuItems cellMenuItems(const LayoutPage& page, int cell, int cellCount);

struct ObjectMenuItems {
    bool adjustSize = false;
    bool rotatePhoto = false;
    bool cut = false;
    bool copy = false;
    bool remove = false;
    bool paste = false;
    friend bool operator==(const ObjectMenuItems&, const ObjectMenuItems&) = default;
};
ObjectMenuItems objectMenuItems(const LayoutPage& page);

} // namespace gp
