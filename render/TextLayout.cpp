#include "render/TextLayout.h"

#include <cstring>
#include <initializer_list>
#include <utility>

namespace {

constexpr float DOT_OFFSET = 0.05f; // a full stop sits this far left of the next pen position

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
        emitPoints({{x - DOT_OFFSET, 0.0f}}, sink);
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
