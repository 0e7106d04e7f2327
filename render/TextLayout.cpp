#include "render/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

namespace {

constexpr float DOT_OFFSET = 0.05f; // a full stop sits this far left of the next pen position
constexpr float GLYPH_WIDTH = 0.5f; // a glyph cell's width, in glyph heights

void emitGlyph(std::uint16_t mask, float x, TextSink& sink) {
    for (int bit = 0; bit < SEGMENT_COUNT; ++bit) {
        if ((mask & (1u << bit)) == 0)
            continue;
        const Segment& segment = SEGMENTS[bit];
        sink.vertex(x + segment.x0, segment.y0);
        sink.vertex(x + segment.x1, segment.y1);
    }
}

// Points interrupt the line primitive, which is started again after them.
void emitPoints(std::initializer_list<std::pair<float, float>> points, TextSink& sink) {
    sink.end();
    sink.beginPoints();
    for (const auto& [x, y] : points)
        sink.vertex(x, y);
    sink.end();
    sink.beginLines();
}

bool isDigit(unsigned char ch) {
    return ch >= '0' && ch <= '9';
}

bool isLetter(unsigned char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

// Draws one byte at pen x; false when the byte does not advance the pen.
bool emitCharacter(const GlyphTable& table, unsigned char ch, float x, TextSink& sink) {
    if (isDigit(ch)) {
        emitGlyph(table[ch - '0' + FIRST_DIGIT_GLYPH], x, sink);
    } else if (isLetter(ch)) {
        emitGlyph(table[(ch | 0x20) - 'a'], x, sink);
    } else if (ch == '.') {
        emitPoints({{x - DOT_OFFSET, DOT_DROP}}, sink);
        return false;
    } else if (ch == '/') {
        emitGlyph(1u << 11 | 1u << 12, x, sink);
    } else if (ch == '-') {
        emitGlyph(1u << 4 | 1u << 5, x, sink);
    } else if (ch == '"') {
        emitPoints({{x + 0.1f, 0.8f}, {x + 0.4f, 0.8f}}, sink);
    } else if (ch == ';') {
        // Texts write the a-umlaut as ";": the "a" glyph with two dots above the cell.
        emitGlyph(table[0], x, sink);
        emitPoints({{x + 0.15f, 1.2f}, {x + 0.35f, 1.2f}}, sink);
    }
    return true;
}

} // namespace

TextExtent measureText(const std::string& text, int align) {
    int advancing = 0;
    for (char ch : text)
        if (ch != '.' && ch != '\n')
            ++advancing;
    // The alignment counts every byte, full stops included, as the drawing does.
    const float length = static_cast<float>(text.size());
    float shift = 0.0f;
    if (align == ALIGN_RIGHT)
        shift = -length * TEXT_ADVANCE;
    else if (align == ALIGN_CENTRE)
        shift = -length * TEXT_ADVANCE / 2;
    if (advancing == 0)
        return {shift, shift};
    return {shift, shift + static_cast<float>(advancing - 1) * TEXT_ADVANCE + GLYPH_WIDTH};
}

float fitTextScale(const std::string& text, int align, float anchor, float left, float right) {
    const TextExtent extent = measureText(text, align);
    float scale = 1.0f;
    const float roomLeft = anchor - (left + TEXT_MARGIN);
    const float roomRight = right - TEXT_MARGIN - anchor;
    if (extent.left < 0.0f)
        scale = std::min(scale, roomLeft / -extent.left);
    if (extent.right > 0.0f)
        scale = std::min(scale, roomRight / extent.right);
    return std::max(scale, 0.0f);
}

float findDotPixels(float glyphPixels) {
    return std::max(MIN_DOT_PIXELS, std::round(glyphPixels * DOT_SIZE));
}

int emitText(const GlyphTable& table, const char* text, int align, TextSink& sink) {
    size_t length = std::strlen(text);
    bool shifted = align == ALIGN_RIGHT || align == ALIGN_CENTRE;
    if (shifted) {
        sink.pushMatrix();
        float shift = align == ALIGN_RIGHT ? TEXT_ADVANCE : TEXT_ADVANCE / 2;
        sink.translate(-static_cast<float>(length) * shift, 0.0f);
    }
    sink.beginLines();
    float penX = 0;
    int lineFeeds = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        auto ch = static_cast<unsigned char>(*p);
        if (ch == '\n') {
            sink.end();
            penX = 0;
            sink.translate(0.0f, -TEXT_LINE_PITCH);
            sink.beginLines();
            ++lineFeeds;
        } else if (emitCharacter(table, ch, penX, sink)) {
            penX += TEXT_ADVANCE;
        }
    }
    sink.end();
    if (shifted)
        sink.popMatrix();
    return lineFeeds;
}
