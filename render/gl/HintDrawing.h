#pragma once
// The hint lines at the bottom of play: white text on a dark strip across the window, as
// large as the widest line lets it be.

#include <string>
#include <vector>

// The stroke of glyphs glyphPixels high, as the hint lines draw theirs: two pixels wide from
// 20 pixels on, else one. The menus' key lines are drawn so too.
void useHintLineWidth(float glyphPixels);
// Draws lines, top to bottom, over whatever the frame holds; nothing for no lines.
// Expects: matrix mode model-view. Leaves: blending, texturing and lighting off, depth test on.
void drawHintLines(const std::vector<std::string>& lines);
