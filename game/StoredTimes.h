#pragma once
// The best times as their file holds them, kept as the file's own bytes with an index in key
// order: a table of a million boards costs about the file's size, where map nodes would cost
// ten times it, and a save copies runs of entries instead of rebuilding them one by one.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int TIME_SLOTS = 5;
// Times in ms, ascending, empty slots (-1) after all real times.
using TimeSlots = std::array<std::int32_t, TIME_SLOTS>;

// CutOff: the file ends inside an entry; the times before the cut are kept.
enum class TimesLoadResult { Loaded, Unreadable, Damaged, CutOff };

// Entries in the file's encoding (key length, key, the times, -1), one per key, in byte-wise
// key order. An entry may hold no time at all (a "blank"): the table knows the key but the
// file would not hold it.
class StoredTimes {
public:
    // Longest key the file may hold; anything longer marks a damaged file.
    static constexpr std::int32_t MAX_KEY_BYTES = 4096;

    std::size_t count() const { return offsets.size(); }
    std::string_view keyAt(std::size_t index) const;
    // The times of the entry at index, empty slots -1.
    TimeSlots readTimes(std::size_t index) const;
    // The index of key, or count() when it is not there.
    std::size_t find(std::string_view key) const;
    // The first index from on whose key is not less than key.
    std::size_t findFirstNotBefore(std::string_view key, std::size_t from) const;

    // True when some entry holds no time, so that the bytes are not what the file holds.
    bool hasBlanks() const { return blankBytes > 0; }
    std::string_view viewBytes() const { return bytes; }
    // The bytes of a file that holds every entry with a time, in order.
    std::string makeFileImage() const;
    std::size_t measureFileImage() const { return bytes.size() - blankBytes; }
    // True when these entries are the file's bytes, byte for byte.
    bool isFileImage(const std::string& file) const;

    // Reads a best-times file as the game's loader always has: entries up to the end, a key
    // cut at its first zero byte, the first five times of an entry, the last entry of a key
    // winning, nothing after a damaged entry, the times before a cut kept. damageOffset gets
    // the offset of the entry where reading stopped. A whole file as the game writes it is
    // taken over without a copy, leaving file empty; any other file is left as it is.
    static StoredTimes parse(std::string& file, TimesLoadResult& result, std::size_t& damageOffset);

private:
    friend class StoredTimesWriter;

    std::string bytes;
    std::vector<std::uint32_t> offsets; // of each entry in bytes
    std::size_t blankBytes = 0;         // bytes of the entries without a time
};

// Builds a StoredTimes entry by entry, in key order.
class StoredTimesWriter {
public:
    explicit StoredTimesWriter(std::size_t expectedBytes);

    // The key with the times up to the first empty slot.
    void append(std::string_view key, const TimeSlots& times);
    // The entries first to last - 1 of from, byte for byte.
    void copy(const StoredTimes& from, std::size_t first, std::size_t last);
    StoredTimes finish();

private:
    StoredTimes made;
};
