#include "game/BestTimes.h"

#include "base/FileIO.h"
#include "base/FileLock.h"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

bool isEmptySlot(std::int32_t time) {
    return time < 0;
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

// The real times of times that known lacks, counted one by one: an equal time set again is
// a new time too.
std::vector<std::int32_t> findFreshTimes(const BestTimes::Times& times,
                                         const BestTimes::Times& known) {
    std::vector<std::int32_t> fresh;
    for (std::int32_t time : times)
        if (!isEmptySlot(time))
            fresh.push_back(time);
    for (std::int32_t time : known) {
        auto same = std::find(fresh.begin(), fresh.end(), time);
        if (same != fresh.end())
            fresh.erase(same);
    }
    std::sort(fresh.begin(), fresh.end());
    return fresh;
}

bool fitsFile(const std::string& key) {
    return key.size() <= static_cast<std::size_t>(BestTimes::MAX_KEY_BYTES);
}

std::string describeFailure(const std::string& path, const std::string& reason) {
    return "Warning: failed writing scores to file " + path + reason + "\n";
}

} // namespace

BestTimes::Entries BestTimes::entries() const {
    Entries all;
    visitEntries([&all](std::string_view key, const Times& times) {
        all.emplace_hint(all.end(), key, times);
    });
    return all;
}

void BestTimes::visitEntries(
    const std::function<void(std::string_view key, const Times&)>& visit) const {
    std::size_t next = 0;
    for (const auto& [key, times] : live) {
        const std::size_t at = stored.findFirstNotBefore(key, next);
        for (; next < at; ++next)
            visit(stored.keyAt(next), stored.readTimes(next));
        if (next < stored.count() && stored.keyAt(next) == key)
            ++next;
        visit(key, times);
    }
    for (; next < stored.count(); ++next)
        visit(stored.keyAt(next), stored.readTimes(next));
}

BestTimes::Times BestTimes::findTimes(std::string_view key) const {
    auto handed = live.find(key);
    return handed != live.end() ? handed->second : findStoredTimes(key);
}

BestTimes::Times BestTimes::findStoredTimes(std::string_view key) const {
    const std::size_t at = stored.find(key);
    if (at < stored.count())
        return stored.readTimes(at);
    Times none;
    none.fill(EMPTY_SLOT);
    return none;
}

BestTimes::Times& BestTimes::entry(const std::string& key) {
    auto handed = live.find(key);
    if (handed != live.end())
        return handed->second;
    return live.emplace(key, findTimes(key)).first->second;
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

bool BestTimes::hasUnsavedTimes() const {
    return !collectNewTimes().empty();
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
    LoadResult result = LoadResult::Loaded;
    StoredTimes loaded = parseFileBytes(path, file.bytes, keepDamagedCopy, false, result);
    takeStored(std::move(loaded), false);
    return result;
}

StoredTimes BestTimes::parseFileBytes(const std::string& path, std::string& bytes,
                                      bool keepDamagedCopy, bool lockHeld, LoadResult& result) {
    std::size_t damageOffset = 0;
    StoredTimes parsed = StoredTimes::parse(bytes, result, damageOffset);
    if (result == LoadResult::Loaded)
        return parsed;
    // A save reads the file again; a damage already reported (and copied) is not news.
    std::size_t hash = std::hash<std::string>()(bytes) | 1;
    if (hash == reportedDamageHash)
        return parsed;
    reportedDamageHash = hash;
    if (result == LoadResult::CutOff) {
        std::fprintf(stderr,
                     "Warning: score file %s ends inside the entry at byte %zu; the times read "
                     "before the cut are kept\n",
                     path.c_str(), damageOffset);
        return parsed;
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
    return parsed;
}

BestTimes::LoadResult BestTimes::parse(const std::string& bytes, std::size_t* damageOffset) {
    std::string file = bytes;
    LoadResult result = LoadResult::Loaded;
    std::size_t stop = 0;
    StoredTimes parsed = StoredTimes::parse(file, result, stop);
    if (damageOffset && result != LoadResult::Loaded)
        *damageOffset = stop;
    takeStored(std::move(parsed), true);
    return result;
}

bool BestTimes::save(const std::string& path, const SaveAttempt& attempt) {
    FileLock lock(path, attempt.lockWaitMs);
    if (lock.state() == FileLock::State::Busy)
        return failSave(
            SaveFailure::LockBusy, attempt,
            describeFailure(path, ": another program holds the save lock of directory " +
                                      lock.lockPath()));
    FileRead file = readFile(path, MAX_FILE_BYTES);
    StoredTimes onDisk;
    // With no other writer the file is what this table last wrote: nothing to parse.
    bool unchanged = false;
    if (file.status == ReadStatus::Read) {
        unchanged = stored.isFileImage(file.bytes);
        LoadResult result = LoadResult::Loaded;
        if (!unchanged)
            onDisk = parseFileBytes(path, file.bytes, true, true, result);
        std::string().swap(file.bytes);
    } else if (file.status != ReadStatus::Missing && !isDirectory(path)) {
        // Times this run never saw must not be written over. A directory in the way is left
        // to the write, whose rename cannot replace it anyway.
        return failSave(SaveFailure::Unreadable, attempt,
                        describeFailure(path, ": it cannot be read, so it is left as it is"));
    }
    StoredTimes merged = mergeNewTimes(unchanged ? stored : onDisk, collectNewTimes());
    onDisk = StoredTimes();
    if (merged.measureFileImage() > MAX_FILE_BYTES)
        return failSave(SaveFailure::TooLarge, attempt,
                        describeFailure(path, ": it would be larger than " +
                                                  describeByteCount(MAX_FILE_BYTES) +
                                                  ", which the game does not read; it is left "
                                                  "as it is"));
    std::string image;
    std::string_view written = merged.viewBytes();
    if (merged.hasBlanks()) {
        image = merged.makeFileImage();
        written = image;
    }
    if (!writeFileAtomically(path, written))
        return failSave(SaveFailure::WriteFailed, attempt, describeFailure(path, ""));
    // Every key of an unchanged file is in merged: the old entries have nothing left to give.
    if (unchanged)
        stored = StoredTimes();
    takeStored(std::move(merged), false);
    lastFailure = SaveFailure::None;
    reportedFailure = SaveFailure::None;
    return true;
}

bool BestTimes::failSave(SaveFailure failure, const SaveAttempt& attempt, const std::string& line) {
    lastFailure = failure;
    if (attempt.quietRepeat && failure == reportedFailure)
        return false;
    std::fputs(line.c_str(), stderr);
    reportedFailure = failure;
    return false;
}

BestTimes::NewTimes BestTimes::collectNewTimes() const {
    NewTimes fresh;
    for (const auto& [key, times] : live) {
        // A key too long to load back would make the whole file read as damaged.
        if (!fitsFile(key))
            continue;
        std::vector<std::int32_t> newTimes = findFreshTimes(times, findStoredTimes(key));
        if (!newTimes.empty())
            fresh.emplace_back(&key, std::move(newTimes));
    }
    return fresh;
}

StoredTimes BestTimes::mergeNewTimes(const StoredTimes& file, const NewTimes& fresh) {
    std::size_t extra = 0;
    for (const auto& [key, times] : fresh)
        extra += key->size() + 4 * (SLOTS + 2);
    StoredTimesWriter writer(file.viewBytes().size() + extra);
    std::size_t next = 0;
    for (const auto& [key, times] : fresh) {
        const std::size_t at = file.findFirstNotBefore(*key, next);
        writer.copy(file, next, at);
        next = at;
        Times merged;
        merged.fill(EMPTY_SLOT);
        if (at < file.count() && file.keyAt(at) == *key)
            merged = file.readTimes(next++);
        for (std::int32_t time : times)
            enter(merged, time);
        writer.append(*key, merged);
    }
    writer.copy(file, next, file.count());
    return writer.finish();
}

void BestTimes::takeStored(StoredTimes file, bool keepsMissingTimes) {
    // Updated in place: the play loop holds a reference to the entry of the board it plays.
    for (auto& [key, times] : live) {
        const std::size_t at = file.find(key);
        if (at < file.count())
            times = file.readTimes(at);
        else if (!keepsMissingTimes && stored.find(key) < stored.count())
            times.fill(EMPTY_SLOT);
    }
    // The keys the file lacks stay in the table; usually there are none and the file's
    // entries become the table's as they are.
    std::size_t missing = 0;
    for (std::size_t i = 0, j = 0; i < stored.count(); ++i) {
        const std::string_view key = stored.keyAt(i);
        while (j < file.count() && file.keyAt(j) < key)
            ++j;
        if (j == file.count() || file.keyAt(j) != key)
            ++missing;
    }
    if (missing == 0) {
        stored = std::move(file);
        return;
    }
    StoredTimesWriter writer(file.viewBytes().size() + stored.viewBytes().size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < stored.count(); ++i) {
        const std::string_view key = stored.keyAt(i);
        const std::size_t at = file.findFirstNotBefore(key, next);
        writer.copy(file, next, at);
        next = at;
        if (next < file.count() && file.keyAt(next) == key)
            continue;
        Times kept = stored.readTimes(i);
        if (!keepsMissingTimes)
            kept.fill(EMPTY_SLOT);
        writer.append(key, kept);
    }
    writer.copy(file, next, file.count());
    stored = writer.finish();
}

std::string BestTimes::serialize() const {
    StoredTimesWriter writer(stored.viewBytes().size());
    visitEntries([&writer](std::string_view key, const Times& times) {
        // A board never completed has no times to keep; a key too long to load back would
        // make the whole file read as damaged.
        if (!isEmptySlot(times[0]) && key.size() <= static_cast<std::size_t>(MAX_KEY_BYTES))
            writer.append(key, times);
    });
    return writer.finish().makeFileImage();
}
