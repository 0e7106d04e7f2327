#include "game/BestTimes.h"

#include "base/FileIO.h"
#include "base/FileLock.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

// Reads little-endian 32-bit integers and byte runs from a file's bytes, never past the end.
class ByteReader {
public:
    explicit ByteReader(const std::string& bytes) : bytes(bytes) {}

    std::size_t offset() const { return pos; }

    bool readInt32(std::int32_t& value) {
        if (bytes.size() - pos < 4)
            return false;
        std::uint32_t bits = 0;
        for (int i = 3; i >= 0; --i)
            bits = (bits << 8) | static_cast<unsigned char>(bytes[pos + i]);
        pos += 4;
        value = static_cast<std::int32_t>(bits);
        return true;
    }

    bool readBytes(std::size_t count, std::string& out) {
        if (bytes.size() - pos < count)
            return false;
        out.assign(bytes, pos, count);
        pos += count;
        return true;
    }

private:
    const std::string& bytes;
    std::size_t pos = 0;
};

void appendInt32(std::string& out, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((bits >> (8 * i)) & 0xff));
}

bool isEmptySlot(std::int32_t time) {
    return time < 0;
}

// Reads times up to the negative terminator: the first five are kept, later ones dropped.
// False when the bytes end before the terminator; count is the number of times read.
bool readTimes(ByteReader& reader, BestTimes::Times& times, int& count) {
    times.fill(BestTimes::EMPTY_SLOT);
    std::int32_t time = 0;
    while (reader.readInt32(time)) {
        if (time < 0)
            return true;
        if (count < BestTimes::SLOTS)
            times[count] = time;
        ++count;
    }
    return false;
}

// The copy is written under the scores' save lock, so the start-up sweep of leftover
// temporary files never takes one that is being written.
bool writeDamagedCopy(const std::string& path, const std::string& copy, const std::string& bytes,
                      bool lockHeld) {
    if (lockHeld)
        return writeFileAtomically(copy, bytes);
    FileLock lock(path, SAVE_LOCK_WAIT_MS);
    return writeFileAtomically(copy, bytes);
}

} // namespace

BestTimes::Times& BestTimes::entry(const std::string& key) {
    auto [place, added] = entries_.try_emplace(key);
    if (added)
        place->second.fill(EMPTY_SLOT);
    return place->second;
}

int BestTimes::enter(Times& times, std::int32_t timeMs) {
    for (int slot = 0; slot < SLOTS; ++slot) {
        if (!isEmptySlot(times[slot]) && times[slot] <= timeMs)
            continue;
        // Empty slots follow all real times, so only a real time needs moving down.
        if (!isEmptySlot(times[slot]))
            for (int later = SLOTS - 1; later > slot; --later)
                times[later] = times[later - 1];
        times[slot] = timeMs;
        return slot;
    }
    return -1;
}

int BestTimes::findSlot(const Times& times, std::int32_t timeMs) {
    for (int slot = SLOTS - 1; slot >= 0; --slot)
        if (times[slot] == timeMs)
            return slot;
    return -1;
}

BestTimes::LoadResult BestTimes::load(const std::string& path, bool keepDamagedCopy) {
    FileRead file = readFile(path, MAX_FILE_BYTES);
    if (file.status == ReadStatus::TooBig) {
        std::fprintf(stderr, "Warning: score file %s is larger than %s; it is not read\n",
                     path.c_str(), describeByteCount(MAX_FILE_BYTES).c_str());
        return LoadResult::Unreadable;
    }
    if (file.status != ReadStatus::Read) {
        std::fprintf(stderr, "Warning: couldn't read score file %s\n", path.c_str());
        return LoadResult::Unreadable;
    }
    BestTimes loaded;
    loaded.reportedDamageHash = reportedDamageHash;
    LoadResult result = loaded.parseFileBytes(path, file.bytes, keepDamagedCopy, false);
    reportedDamageHash = loaded.reportedDamageHash;
    adopt(loaded);
    return result;
}

BestTimes::LoadResult BestTimes::parseFileBytes(const std::string& path, const std::string& bytes,
                                                bool keepDamagedCopy, bool lockHeld) {
    std::size_t damageOffset = 0;
    LoadResult result = parse(bytes, &damageOffset);
    if (result == LoadResult::Loaded)
        return result;
    // A save reads the file again; a damage already reported (and copied) is not news.
    std::size_t hash = std::hash<std::string>()(bytes) | 1;
    if (hash == reportedDamageHash)
        return result;
    reportedDamageHash = hash;
    if (result == LoadResult::CutOff) {
        std::fprintf(stderr,
                     "Warning: score file %s ends inside the entry at byte %zu; the times read "
                     "before the cut are kept\n",
                     path.c_str(), damageOffset);
        return result;
    }
    std::string copy = path + ".damaged";
    if (keepDamagedCopy && writeDamagedCopy(path, copy, bytes, lockHeld))
        std::fprintf(stderr,
                     "Warning: score file %s is damaged at byte %zu; the rest is ignored, the "
                     "whole file is kept as %s\n",
                     path.c_str(), damageOffset, copy.c_str());
    else
        std::fprintf(stderr, "Warning: score file %s is damaged at byte %zu; the rest is ignored\n",
                     path.c_str(), damageOffset);
    return result;
}

BestTimes::LoadResult BestTimes::parse(const std::string& bytes, std::size_t* damageOffset) {
    ByteReader reader(bytes);
    for (;;) {
        std::size_t entryOffset = reader.offset();
        auto stopAt = [&](LoadResult result) {
            if (damageOffset)
                *damageOffset = entryOffset;
            return result;
        };
        std::int32_t keyLength = 0;
        if (!reader.readInt32(keyLength))
            return entryOffset == bytes.size() ? LoadResult::Loaded : stopAt(LoadResult::CutOff);
        if (keyLength < 0 || keyLength > MAX_KEY_BYTES)
            return stopAt(LoadResult::Damaged);
        std::string key;
        if (!reader.readBytes(static_cast<std::size_t>(keyLength), key))
            return stopAt(LoadResult::CutOff);
        key.resize(std::strlen(key.c_str()));

        Times times;
        int count = 0;
        bool complete = readTimes(reader, times, count);
        // A cut-off entry keeps the times read before the cut; one cut before its first time
        // has nothing to keep and must not wipe an earlier entry of the same key.
        if (complete || count > 0)
            entry(key) = times;
        if (!complete)
            return stopAt(LoadResult::CutOff);
    }
}

bool BestTimes::save(const std::string& path) {
    FileLock lock(path, SAVE_LOCK_WAIT_MS);
    if (lock.state() == FileLock::State::Busy) {
        std::fprintf(stderr,
                     "Warning: failed writing scores to file %s: another program holds the "
                     "save lock of directory %s\n",
                     path.c_str(), lock.lockPath().c_str());
        return false;
    }
    BestTimes merged;
    merged.reportedDamageHash = reportedDamageHash;
    FileRead file = readFile(path, MAX_FILE_BYTES);
    // Times this run never saw must not be written over. A directory in the way is left to
    // the write, whose rename cannot replace it anyway.
    if (file.status == ReadStatus::Read) {
        merged.parseFileBytes(path, file.bytes, true, true);
    } else if (file.status != ReadStatus::Missing && !isDirectory(path)) {
        std::fprintf(stderr,
                     "Warning: failed writing scores to file %s: it cannot be read, so it is "
                     "left as it is\n",
                     path.c_str());
        return false;
    }
    reportedDamageHash = merged.reportedDamageHash;
    enterNewTimesInto(merged);
    if (!writeFileAtomically(path, merged.serialize())) {
        std::fprintf(stderr, "Warning: failed writing scores to file %s\n", path.c_str());
        return false;
    }
    adopt(merged);
    return true;
}

void BestTimes::enterNewTimesInto(BestTimes& other) const {
    for (const auto& [key, times] : entries_) {
        std::vector<std::int32_t> fresh;
        for (std::int32_t time : times)
            if (!isEmptySlot(time))
                fresh.push_back(time);
        // Counted one by one: an equal time set again here is a new time too.
        auto known = fileTimes.find(key);
        if (known != fileTimes.end())
            for (std::int32_t time : known->second) {
                auto same = std::find(fresh.begin(), fresh.end(), time);
                if (same != fresh.end())
                    fresh.erase(same);
            }
        if (fresh.empty())
            continue;
        std::sort(fresh.begin(), fresh.end());
        Times& target = other.entry(key);
        for (std::int32_t time : fresh)
            enter(target, time);
    }
}

void BestTimes::adopt(const BestTimes& other) {
    // Updated in place: the play loop holds a reference to the entry of the board it plays.
    for (auto& [key, times] : entries_) {
        auto now = other.entries_.find(key);
        if (now != other.entries_.end())
            times = now->second;
        else if (fileTimes.count(key) != 0)
            times.fill(EMPTY_SLOT);
    }
    for (const auto& [key, times] : other.entries_)
        entry(key) = times;
    fileTimes = other.entries_;
}

std::string BestTimes::serialize() const {
    std::string out;
    for (const auto& [key, times] : entries_) {
        // A board never completed has no times to keep; a key too long to load back would
        // make the whole file read as damaged.
        if (isEmptySlot(times[0]) || key.size() > static_cast<std::size_t>(MAX_KEY_BYTES))
            continue;
        appendInt32(out, static_cast<std::int32_t>(key.size()));
        out += key;
        for (int slot = 0; slot < SLOTS && !isEmptySlot(times[slot]); ++slot)
            appendInt32(out, times[slot]);
        appendInt32(out, EMPTY_SLOT);
    }
    return out;
}
