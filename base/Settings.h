#pragma once
// The player's settings: an ordered key/value store of byte strings read from and written
// to "tirva.cfg". Keys the game does not know are kept and written back unchanged; the keys it
// uses, with their conversions, are the rows of menus/SettingsTable.h.

#include <cstdint>
#include <map>
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
