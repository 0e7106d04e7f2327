#include "render/GlyphTable.h"

#include "base/FileIO.h"

#include <cstdio>
#include <optional>

const std::array<Segment, SEGMENT_COUNT> SEGMENTS = {{
    {0.0f, 1.0f, 0.5f, 1.0f},   // 0: top
    {0.0f, 1.0f, 0.0f, 0.5f},   // 1: upper left
    {0.25f, 1.0f, 0.25f, 0.5f}, // 2: upper middle
    {0.5f, 1.0f, 0.5f, 0.5f},   // 3: upper right
    {0.0f, 0.5f, 0.25f, 0.5f},  // 4: middle, left half
    {0.25f, 0.5f, 0.5f, 0.5f},  // 5: middle, right half
    {0.0f, 0.5f, 0.0f, 0.0f},   // 6: lower left
    {0.25f, 0.5f, 0.25f, 0.0f}, // 7: lower middle
    {0.5f, 0.5f, 0.5f, 0.0f},   // 8: lower right
    {0.0f, 0.0f, 0.5f, 0.0f},   // 9: bottom
    {0.0f, 1.0f, 0.25f, 0.5f},  // 10 ("a"): top left to centre
    {0.25f, 0.5f, 0.5f, 1.0f},  // 11 ("b"): centre to top right
    {0.0f, 0.0f, 0.25f, 0.5f},  // 12 ("c"): bottom left to centre
    {0.25f, 0.5f, 0.5f, 0.0f},  // 13 ("d"): centre to bottom right
}};

namespace {

// A digit names its segment directly; "a" to "d" (and, by the same arithmetic, "A" to "D")
// name 10 to 13. Other characters land on bits outside the 16-bit entry and set nothing,
// which is why a carriage return at the end of a line is harmless.
std::uint16_t bitOf(unsigned char character) {
    if (character >= '0' && character <= '9')
        return static_cast<std::uint16_t>(1u << (character - '0'));
    int bit = ((static_cast<int>(character) - 87) % 32 + 32) % 32;
    return bit < 16 ? static_cast<std::uint16_t>(1u << bit) : 0;
}

} // namespace

GlyphTable parseGlyphs(const std::string& bytes) {
    GlyphTable table{};
    size_t position = 0;
    int entry = 0;
    while (entry < GLYPH_COUNT && position < bytes.size()) {
        size_t lineEnd = bytes.find('\n', position);
        if (bytes[position] == '#') {
            position = lineEnd == std::string::npos ? bytes.size() : lineEnd + 1;
            continue;
        }
        if (lineEnd == std::string::npos)
            break;
        std::uint16_t mask = 0;
        for (size_t i = position; i < lineEnd; ++i)
            mask |= bitOf(static_cast<unsigned char>(bytes[i]));
        table[entry++] = mask;
        position = lineEnd + 1;
    }
    return table;
}

bool loadGlyphs(GlyphTable& table, const std::string& path) {
    FileRead file = readFile(path, MAX_GLYPH_FILE_BYTES);
    if (file.status == ReadStatus::TooBig) {
        std::fprintf(stderr, "Warning: lcd definition file %s is larger than %s; it is not read\n",
                     path.c_str(), describeByteCount(MAX_GLYPH_FILE_BYTES).c_str());
        return false;
    }
    if (file.status != ReadStatus::Read) {
        std::fprintf(stderr, "Couldn't open lcd definition file %s\n", path.c_str());
        return false;
    }
    table = parseGlyphs(file.bytes);
    return true;
}
