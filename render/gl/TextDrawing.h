#pragma once
// Text in the segment font, drawn as lines in the current matrix, colour, line width and
// point size.

#include "render/GlyphTable.h"
#include "render/TextLayout.h"

#include <string>

// The process-wide font, filled from "alpha.lcd" at start-up.
extern GlyphTable glyphTable;

// Draws text with align ALIGN_LEFT, ALIGN_RIGHT or ALIGN_CENTRE and returns its number of
// line feeds; see emitText for where the text goes and what it leaves in the matrix.
// Expects: matrix mode model-view, outside any begin/end pair.
int drawText(const GlyphTable& table, const char* text, int align);
inline int drawText(const GlyphTable& table, const std::string& text, int align) {
    return drawText(table, text.c_str(), align);
}
