#include "game/BestTimes.h"

#include "base/FileIO.h"

#include <cstdio>
#include <cstring>

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

BestTimes::LoadResult BestTimes::load(const std::string& path, bool keepDamagedCopy) {
    std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        std::fprintf(stderr, "Warning: couldn't read score file %s\n", path.c_str());
        return LoadResult::Unreadable;
    }
    std::size_t damageOffset = 0;
    LoadResult result = parse(*bytes, &damageOffset);
    if (result == LoadResult::CutOff)
        std::fprintf(stderr,
                     "Warning: score file %s ends inside the entry at byte %zu; the times read "
                     "before the cut are kept\n",
                     path.c_str(), damageOffset);
    if (result != LoadResult::Damaged)
        return result;
    std::string copy = path + ".damaged";
    if (keepDamagedCopy && writeFileAtomically(copy, *bytes))
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

bool BestTimes::save(const std::string& path) const {
    if (!writeFileAtomically(path, serialize())) {
        std::fprintf(stderr, "Warning: failed writing scores to file %s\n", path.c_str());
        return false;
    }
    return true;
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
