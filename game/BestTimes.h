#pragma once
// The five best completion times of every board file played, keyed by the board's path,
// kept in memory for the whole run and backed by the binary file "times.dat".

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

class BestTimes {
public:
    static constexpr int SLOTS = 5;
    static constexpr std::int32_t EMPTY_SLOT = -1;
    // Longest key the file may hold; anything longer marks a damaged file.
    static constexpr std::int32_t MAX_KEY_BYTES = 4096;

    // Times in ms, ascending, empty slots (-1) after all real times.
    using Times = std::array<std::int32_t, SLOTS>;
    // Byte-wise key order (std::string compares its chars as unsigned bytes).
    using Entries = std::map<std::string, Times>;

    // CutOff: the file ends inside an entry; the times before the cut are kept.
    enum class LoadResult { Loaded, Unreadable, Damaged, CutOff };

    const Entries& entries() const { return entries_; }

    // The key's times, adding five empty slots first if the key is new. The reference stays
    // valid for the life of the table: entries are never removed.
    Times& entry(const std::string& key);

    // Puts timeMs into times and returns the slot it took, or -1 when all five kept times
    // are better or equal (an equal time ranks after the kept one).
    static int enter(Times& times, std::int32_t timeMs);

    // Reads the file into the table, keeping entries already there unless the file has the
    // same key. Prints one warning line when the file cannot be read, is cut off or is
    // damaged. With keepDamagedCopy, a damaged file is first copied whole to path + ".damaged",
    // since the next save would drop the entries after the damage for good.
    LoadResult load(const std::string& path, bool keepDamagedCopy = false);
    // Replaces the file atomically with the whole table. False (and one warning line) when
    // it could not be written; the old file is then untouched.
    bool save(const std::string& path) const;

    // Pure halves of load and save. parse stops at a damaged or cut-off entry, keeping those
    // before it; damageOffset then holds the byte offset of that entry.
    LoadResult parse(const std::string& bytes, std::size_t* damageOffset = nullptr);
    std::string serialize() const;

private:
    Entries entries_;
};
