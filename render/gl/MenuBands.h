#pragma once
// What keeps the menus' texts readable on every background, and tells their keys: dark
// translucent bands behind the texts, and each screen's key line on such a band, at the
// bottom as play's hint lines or in the top right corner where a screen's own layout fills
// its bottom edge. All in the menu drawing state.

#include "render/MenuLayout.h"

#include <string>

// Expects: blending off, matrix mode model-view. Leaves: blending off, the matrix as found.
void drawBand(const MenuRect& band);

// The key line, and the note above it if there is one (the options say there what the
// selected item does), on a strip across the bottom, as large as the hint lines of play.
// Expects: blending off. Leaves: blending off, line width 1, the matrix as found.
void drawBottomKeyLines(const std::string& note, const std::string& keys);

// The top of the strip drawBottomKeyLines draws, in menu coordinates.
float findBottomKeyStripTop(const std::string& note, const std::string& keys);

// The key line right-aligned in room (MenuLayout.h), on its own band when banded (a list's
// title row stands on the list's band already). Expects: blending off. Leaves: blending
// off, line width 1, the matrix as found.
void drawCornerKeyLine(const std::string& keys, const MenuRect& room, bool banded);
