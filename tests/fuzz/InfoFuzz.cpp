// Feeds arbitrary bytes to the "info.txt" reader: every board line it returns must be a
// plain name (no line end, no comment, not empty, shorter than the 1024-byte line buffer).

#include "menus/LevelLists.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    BoardList list;
    list.entries = parseInfoLines(bytes);
    list.fileCount = static_cast<std::int32_t>(list.entries.size() / 2);
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const std::string& line = list.entries[i];
        if (line.empty() || line[0] == '#' || line.size() >= 1024 ||
            line.find('\n') != std::string::npos)
            std::abort();
        describeBoardListEntry(list, i);
    }
    return 0;
}
