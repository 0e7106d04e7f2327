// Feeds arbitrary bytes to the glyph file reader: whatever it reads, every entry must stay
// within the fourteen drawable segments' 16 bits and the table within its 37 entries, and
// laying out text with it must stay inside the glyph cell grid.

#include "render/GlyphTable.h"
#include "render/TextLayout.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Discards what a layout draws; the layout's own indexing is what is checked here.
class NullSink : public TextSink {
public:
    void pushMatrix() override {}
    void popMatrix() override {}
    void translate(float, float) override {}
    void beginLines() override {}
    void beginPoints() override {}
    void end() override {}
    void vertex(float, float) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    GlyphTable table = parseGlyphs(bytes);
    NullSink sink;
    // The same bytes as text: any byte, upper case and the punctuation the font knows.
    for (int align = 0; align < 3; ++align)
        emitText(table, bytes.c_str(), align, sink);
    return 0;
}
