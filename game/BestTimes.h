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
    // A larger file is refused unread: it holds over 16,000 entries of the longest keys, or
    // about a million of the usual ones, far more boards than anyone plays.
    static constexpr std::uint64_t MAX_FILE_BYTES = 64 * 1024 * 1024;

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
    // The slot of timeMs among times, the last of equal ones, or -1.
    static int findSlot(const Times& times, std::int32_t timeMs);

    // Reads the file into the table, keeping entries already there unless the file has the
    // same key. Prints one warning line when the file cannot be read, is too large, is cut
    // off or is damaged. With keepDamagedCopy, a damaged file is first copied whole to
    // path + ".damaged", since the next save would drop the entries after the damage for good.
    LoadResult load(const std::string& path, bool keepDamagedCopy = false);
    // Merges this table's new times into the file under its save lock, so that other copies
    // of the game sharing the file lose none of theirs: reads the file as it is now, enters
    // every time set here since the last load or save into it by the rule of enter, writes
    // the result atomically, and then takes the result as the table (entries stay where they
    // are, so references to them stay valid). With no other writer the bytes are those of
    // serialize(). A file that is there but cannot be read is never replaced. False (and one
    // warning line) when nothing was written; the new times then wait for the next save.
    bool save(const std::string& path);

    // Pure halves of load and save. parse stops at a damaged or cut-off entry, keeping those
    // before it; damageOffset then holds the byte offset of that entry.
    LoadResult parse(const std::string& bytes, std::size_t* damageOffset = nullptr);
    std::string serialize() const;
    // Enters into other the times of this table that the file has not had yet.
    void enterNewTimesInto(BestTimes& other) const;
    // Takes other's times as this table's, as the file now holds them.
    void adopt(const BestTimes& other);

private:
    // Parses bytes read from path, printing the warnings of a cut-off or damaged file unless
    // these very bytes were reported already.
    LoadResult parseFileBytes(const std::string& path, const std::string& bytes,
                              bool keepDamagedCopy, bool lockHeld);

    Entries entries_;
    // The times as the file last held them, read or written: what is not among them is new.
    Entries fileTimes;
    std::size_t reportedDamageHash = 0; // of the damaged bytes last reported; 0: none
};
