// Feeds arbitrary bytes to the settings parser and checks that what it keeps survives a
// write and a re-read unchanged.

#include "base/Settings.h"
#include "menus/SettingsTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Settings settings;
    settings.parse(std::string(reinterpret_cast<const char*>(data), size));
    readSettingValues(settings);
    // Keys with line ends or '=' cannot be written back faithfully; the others must be.
    Settings written;
    for (const auto& [key, value] : settings.entries()) {
        bool plainKey = key.find_first_of("=\r\n") == std::string::npos && !key.empty() &&
                        key.find_first_of(" \t\v\f") != 0 &&
                        key.find_last_of(" \t\v\f") != key.size() - 1;
        bool plainValue = value.find_first_of("\r\n") == std::string::npos &&
                          (value.empty() || (value.find_first_of(" \t\v\f") != 0 &&
                                             value.find_last_of(" \t\v\f") != value.size() - 1));
        if (plainKey && plainValue)
            written.valueOf(key) = value;
    }
    Settings reread;
    if (!reread.parse(written.serialize()))
        std::abort();
    for (const auto& [key, value] : written.entries())
        if (!value.empty() && reread.valueOf(key) != value)
            std::abort();
    return 0;
}
