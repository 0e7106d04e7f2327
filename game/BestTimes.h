#pragma once
// The five best completion times of every board file played, keyed by the board's path,
// kept in memory for the whole run and backed by the binary file "times.dat".

#include "base/FileLock.h"
#include "game/StoredTimes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// How a save goes about it: how long it waits for another program's save to end, and whether
// it stays quiet about a failure that the saves before it reported already.
struct SaveAttempt {
    int lockWaitMs = SAVE_LOCK_WAIT_MS;
    bool quietRepeat = false;
};

class BestTimes {
public:
    static constexpr int SLOTS = TIME_SLOTS;
    static constexpr std::int32_t EMPTY_SLOT = -1;
    static constexpr std::int32_t MAX_KEY_BYTES = StoredTimes::MAX_KEY_BYTES;
    // The one limit of the file's size, for the loader and for every save: a larger file is
    // refused unread, so a save that would write one writes nothing. It holds over 16,000
    // entries of the longest keys, or about a million of the usual ones.
    static constexpr std::uint64_t MAX_FILE_BYTES = 64 * 1024 * 1024;

    using Times = TimeSlots;
    // Byte-wise key order (std::string compares its chars as unsigned bytes).
    using Entries = std::map<std::string, Times>;
    using LoadResult = TimesLoadResult;
    // Why the latest save wrote nothing.
    enum class SaveFailure { None, LockBusy, Unreadable, TooLarge, WriteFailed };

    // Every entry in key order as a map, which costs a node an entry: for small tables.
    Entries entries() const;
    // Calls visit with every entry in key order, without a copy of the table.
    void visitEntries(const std::function<void(std::string_view key, const Times&)>& visit) const;
    // The key's times, five empty slots when it has none; never adds an entry.
    Times findTimes(std::string_view key) const;

    // The key's times, adding five empty slots first if the key is new. The reference stays
    // valid for the life of the table: entries are never removed.
    Times& entry(const std::string& key);

    // Puts timeMs into times and returns the slot it took, or -1 when all five kept times
    // are better or equal (an equal time ranks after the kept one).
    static int enter(Times& times, std::int32_t timeMs);
    // The slot of timeMs among times, the last of equal ones, or -1.
    static int findSlot(const Times& times, std::int32_t timeMs);

    // True while times entered here are not in the file: no save has written them yet.
    bool hasUnsavedTimes() const;
    SaveFailure lastSaveFailure() const { return lastFailure; }

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
    // serialize(). A file that is there but cannot be read is never replaced, and no file
    // over MAX_FILE_BYTES is written. False (and one warning line, unless the attempt is
    // quiet about a repeat) when nothing was written; the new times then wait for the next
    // save.
    bool save(const std::string& path, const SaveAttempt& attempt = {});

    // Pure halves of load and save. parse stops at a damaged or cut-off entry, keeping those
    // before it; damageOffset then holds the byte offset of that entry.
    LoadResult parse(const std::string& bytes, std::size_t* damageOffset = nullptr);
    std::string serialize() const;

private:
    // Times this table has that the file has not had yet, ascending, by key in key order.
    using NewTimes = std::vector<std::pair<const std::string*, std::vector<std::int32_t>>>;

    // Parses bytes read from path, printing the warnings of a cut-off or damaged file unless
    // these very bytes were reported already.
    StoredTimes parseFileBytes(const std::string& path, std::string& bytes, bool keepDamagedCopy,
                               bool lockHeld, LoadResult& result);
    // The key's times as the file last held them, five empty slots when it held none.
    Times findStoredTimes(std::string_view key) const;
    NewTimes collectNewTimes() const;
    // The file's entries with fresh entered into them.
    static StoredTimes mergeNewTimes(const StoredTimes& file, const NewTimes& fresh);
    // Takes file as what the file holds now. The table's keys that it lacks stay, keeping
    // their times when keepsMissingTimes, emptied otherwise.
    void takeStored(StoredTimes file, bool keepsMissingTimes);
    // Records why a save failed and prints line, unless the attempt is quiet about a repeat.
    bool failSave(SaveFailure failure, const SaveAttempt& attempt, const std::string& line);

    // The file's entries as last read or written, and the keys it no longer holds.
    StoredTimes stored;
    // The entries handed out by entry(), as the play loop changes them.
    std::map<std::string, Times, std::less<>> live;
    std::size_t reportedDamageHash = 0; // of the damaged bytes last reported; 0: none
    SaveFailure lastFailure = SaveFailure::None;
    SaveFailure reportedFailure = SaveFailure::None; // since the last save that wrote
};
