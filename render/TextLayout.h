#pragma once
// The strokes of a text in the segment font: the calls that draw it, emitted into a sink so
// the layout is the same code whether it goes to OpenGL or into a test's record.

#include "render/GlyphTable.h"

constexpr float TEXT_ADVANCE = 0.6f;    // pen movement per character, in glyph heights
constexpr float TEXT_LINE_PITCH = 1.2f; // downward movement per line feed

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

// Emits text as one line primitive, interrupted only for dots and line feeds, and returns
// the number of line feeds. Every byte but a full stop and a line feed advances the pen,
// including bytes that draw nothing. A right-aligned or centred text is shifted by its whole
// byte length and leaves the matrix as it found it; a left-aligned text leaves its line-feed
// translations in the matrix, so texts drawn one after another stack downwards. Upper-case
// letters draw their lower-case glyphs.
int emitText(const GlyphTable& table, const char* text, int align, TextSink& sink);
