#pragma once
// The strokes of a text in the segment font: the calls that draw it, emitted into a sink so
// the layout is the same code whether it goes to OpenGL or into a test's record.

#include "render/GlyphTable.h"

#include <string>

constexpr float TEXT_ADVANCE = 0.6f;    // pen movement per character, in glyph heights
constexpr float TEXT_LINE_PITCH = 1.2f; // downward movement per line feed
// A full stop is a point in the gap before the next character. The gap is a tenth of a glyph
// wide, so a point on the base line touches the strokes beside it; it hangs this far below.
constexpr float DOT_DROP = -0.1f;
// Its size in pixels, as a share of the glyph's height: a point of one or two pixels beside
// 25-pixel digits does not read as a decimal point at all.
constexpr float DOT_SIZE = 0.1f;
constexpr float MIN_DOT_PIXELS = 2.0f;

// The align argument of the text calls.
constexpr int ALIGN_LEFT = 0;   // the text starts at the origin
constexpr int ALIGN_RIGHT = 1;  // the text ends at the origin
constexpr int ALIGN_CENTRE = 2; // the text is centred on the origin

// Receives the drawing calls of one text; the coordinates are in the current matrix.
class TextSink {
public:
    virtual void pushMatrix() = 0;
    virtual void popMatrix() = 0;
    virtual void translate(float x, float y) = 0;
    virtual void beginLines() = 0;
    virtual void beginPoints() = 0;
    virtual void end() = 0;
    virtual void vertex(float x, float y) = 0;

protected:
    ~TextSink() = default;
};

// Room kept free between a text and the edges of the box it is fitted into, in the box's units.
constexpr float TEXT_MARGIN = 0.15f;

// How far the strokes of a one-line text reach from its origin, in glyph heights, when it is
// drawn with align (full stops reach no further than the glyphs around them).
struct TextExtent {
    float left;
    float right;
};
TextExtent measureText(const std::string& text, int align);

// The largest scale, at most 1, at which text drawn with align at x = anchor keeps its
// strokes inside [left + TEXT_MARGIN, right - TEXT_MARGIN]; all in the same units.
float fitTextScale(const std::string& text, int align, float anchor, float left, float right);

// The point size that lets a full stop read beside glyphs glyphPixels high.
float findDotPixels(float glyphPixels);

// Emits text as one line primitive, interrupted only for dots and line feeds, and returns
// the number of line feeds. Every byte but a full stop and a line feed advances the pen,
// including bytes that draw nothing. A right-aligned or centred text is shifted by its whole
// byte length and leaves the matrix as it found it; a left-aligned text leaves its line-feed
// translations in the matrix, so texts drawn one after another stack downwards. Upper-case
// letters draw their lower-case glyphs.
int emitText(const GlyphTable& table, const char* text, int align, TextSink& sink);
