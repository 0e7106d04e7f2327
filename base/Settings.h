#pragma once
// The player's settings: an ordered key/value store of byte strings read from and written
// to "tirva.cfg". Keys the game does not know are kept and written back unchanged.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

class Settings {
public:
    // Byte-wise key order (std::string compares its chars as unsigned bytes).
    using Entries = std::map<std::string, std::string>;
    // Far more than any settings file holds, and the one limit for reading and for writing:
    // a larger file is refused unread, so save never writes one.
    static constexpr std::uint64_t MAX_FILE_BYTES = 1024 * 1024;

    Settings() = default;
    // Loads fileName, printing a warning when it cannot be opened or fully parsed.
    explicit Settings(const std::string& fileName);

    const Entries& entries() const { return entries_; }

    // The value of key; an absent key is inserted with an empty value, which counts as unset.
    std::string& valueOf(const std::string& key);

    // Reads fileName whole and parses it; true when the whole file was parsed. A file that is
    // there but cannot be read (no permission, not a regular file, too large) is remembered,
    // and save never replaces it.
    bool load(const std::string& fileName);
    // Parses settings text into the store; entries before a parse failure are kept.
    bool parse(const std::string& text);
    // Writes every entry with a non-empty value as "key = value" lines, replacing the file
    // atomically under its save lock. False (and one warning line) when the file could not be
    // written, when load found it there but could not read it, or when the lines would pass
    // MAX_FILE_BYTES (the " = " can grow a file written as "key=value" by half); the old file
    // then stays as it is.
    bool save(const std::string& fileName) const;
    // The text save writes.
    std::string serialize() const;

private:
    Entries entries_;
    std::string pendingKey;
    bool keepsUnreadFile = false;
};

// The settings the start-up reads, converted as the game uses them.
struct StartupSettings {
    int resX = 0; // 0: not set
    int resY = 0;
    bool fullscreen = false;
    bool musicOff = false;
    std::optional<float> mouseSensitivity; // present only when set to a non-zero number
    std::optional<float> joystickSensitivity;
    std::optional<bool> turnboard; // present only when the value is not empty
    std::optional<bool> topview;
};

// Looks the known keys up in the order the start-up reads them.
StartupSettings readStartupSettings(Settings& settings);
