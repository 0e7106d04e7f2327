#pragma once
// Where an item menu's rows stand: a value that wraps at the window's right edge (a long
// list of choices) takes more lines and pushes the rows below it down. The values are
// measured by drawing them into a painter that only follows the origin, so the count is
// the drawing's own.

#include "menus/MenuItem.h"
#include "render/MenuLayout.h"

#include <vector>

// How many lines each item's value takes, drawn where shape puts it.
std::vector<int> countValueLines(MenuEntries& items, const ItemMenuShape& shape);
// The rows of items laid out by shape.
ItemMenuLayout layOutItems(MenuEntries& items, const ItemMenuShape& shape);
