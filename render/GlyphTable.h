#pragma once
// The segment font: which of the fourteen segments of a display cell light up for each
// letter and digit, read at start-up from "alpha.lcd".

#include <array>
#include <cstdint>
#include <string>

constexpr int GLYPH_COUNT = 37;       // 26 letters, 10 digits and one spare line
constexpr int FIRST_DIGIT_GLYPH = 26; // entry of "0"; the letters come first
constexpr int SEGMENT_COUNT = 14;     // bits 14 and 15 of an entry are never drawn

// One segment mask per entry: bit i lights segment i.
using GlyphTable = std::array<std::uint16_t, GLYPH_COUNT>;

// A segment of the half-unit-wide, one-unit-high glyph cell whose left edge is at x = 0.
struct Segment {
    float x0, y0, x1, y1;
};
extern const std::array<Segment, SEGMENT_COUNT> SEGMENTS;

// The table the glyph lines of a file fill, in order: a line starting with "#" is a
// comment, any other line ended by a line feed is the next entry (a last line without one is
// not), and reading stops after GLYPH_COUNT entries. Entries not in the file are blank.
GlyphTable parseGlyphs(const std::string& bytes);

// A font file is a few hundred bytes; a larger one than this is refused unread.
constexpr std::uint64_t MAX_GLYPH_FILE_BYTES = 1024 * 1024;

// Fills table from the file at path. A file that cannot be read (or is not a regular file, or
// is larger than MAX_GLYPH_FILE_BYTES) leaves table as it was and prints one line on standard
// error; the result is then false.
bool loadGlyphs(GlyphTable& table, const std::string& path);
