#pragma once
// Flat rectangles in the current colour, blending and matrix: the dark bands behind texts, the
// hint strip, the main menu's panel and the overlay's panels.

// The rectangle from (left, bottom) to (right, top) at depth 0, its corners counter-clockwise
// from the lower left one. Expects: outside any begin/end pair.
void fillRectangle(float left, float bottom, float right, float top);
