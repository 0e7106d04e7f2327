// Feeds arbitrary bytes to the best-times loader and checks that every entry with a time
// survives a save and a re-load unchanged.

#include "game/BestTimes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BestTimes table;
    table.parse(std::string(reinterpret_cast<const char*>(data), size));
    BestTimes reread;
    if (reread.parse(table.serialize()) != BestTimes::LoadResult::Loaded)
        std::abort();
    BestTimes::Entries kept;
    for (const auto& [key, times] : table.entries()) {
        if (key.size() > static_cast<std::size_t>(BestTimes::MAX_KEY_BYTES))
            std::abort();
        if (times[0] != BestTimes::EMPTY_SLOT)
            kept.emplace(key, times);
    }
    if (reread.entries() != kept)
        std::abort();
    return 0;
}
