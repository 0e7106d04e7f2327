#include "tools/Commands.h"

#include "game/BestTimes.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* HELP = R"(usage: tirva-tool times FILE

Loads a best-times file (such as times.dat) with the game's loader and prints one JSON
object mapping each board path to its five times in ms (-1 for an empty slot), in the
table's order. Key bytes that are not valid UTF-8 are written as \u00XX.
A file that cannot be read, or a damaged one, exits 1 with a warning on standard error
(for a damaged file the entries before the damage are still printed).
)";

// The length of the valid UTF-8 sequence at text[i], or 0.
std::size_t measureUtf8(const std::string& text, std::size_t i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    std::size_t length = lead < 0x80                   ? 1
                         : lead >= 0xc2 && lead < 0xe0 ? 2
                         : lead >= 0xe0 && lead < 0xf0 ? 3
                         : lead >= 0xf0 && lead < 0xf5 ? 4
                                                       : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xc0) != 0x80)
            return 0;
    // Overlong three- and four-byte forms, surrogates and code points past U+10FFFF.
    if ((lead == 0xe0 && byte(i + 1) < 0xa0) || (lead == 0xed && byte(i + 1) >= 0xa0) ||
        (lead == 0xf0 && byte(i + 1) < 0x90) || (lead == 0xf4 && byte(i + 1) >= 0x90))
        return 0;
    return length;
}

std::string quoteJson(const std::string& text) {
    std::string out = "\"";
    char escaped[8];
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t length = measureUtf8(text, i);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || length == 0) {
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out.append(text, i, length);
            i += length;
            continue;
        }
        ++i;
    }
    return out + "\"";
}

} // namespace

int runTimesCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    if (args.size() != 1)
        return reportUsageError("times", "expected exactly one FILE");
    BestTimes table;
    BestTimes::LoadResult result = table.load(args[0]);
    if (result == BestTimes::LoadResult::Unreadable)
        return 1;
    std::string out = "{";
    table.visitEntries([&out](std::string_view key, const BestTimes::Times& times) {
        if (out.size() > 1)
            out += ",";
        out += quoteJson(std::string(key)) + ":[";
        for (int slot = 0; slot < BestTimes::SLOTS; ++slot)
            out += (slot ? "," : "") + std::to_string(times[slot]);
        out += "]";
    });
    std::printf("%s}\n", out.c_str());
    return result == BestTimes::LoadResult::Loaded ? 0 : 1;
}
