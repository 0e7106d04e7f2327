#include "game/StoredTimes.h"

#include <algorithm>
#include <cstring>

namespace {

// Entries and their parts, by the byte offsets of a file the loader reads (64 MiB at most),
// which 32 bits hold.
std::int32_t readInt32(const std::string& bytes, std::size_t pos) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | static_cast<unsigned char>(bytes[pos + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(bits);
}

void appendInt32(std::string& out, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((bits >> (8 * i)) & 0xff));
}

std::size_t measureStoredKey(const std::string& bytes, std::size_t offset) {
    return static_cast<std::size_t>(readInt32(bytes, offset));
}

// The key as the loader takes it: up to its first zero byte.
std::string_view readLoadedKey(const std::string& bytes, std::size_t offset) {
    const char* key = bytes.data() + offset + 4;
    const std::size_t stored = measureStoredKey(bytes, offset);
    const void* zero = std::memchr(key, '\0', stored);
    return {key, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - key) : stored};
}

// The times of the entry at offset: read up to the negative terminator or the end of the
// bytes, the first five kept.
TimeSlots decodeTimes(const std::string& bytes, std::size_t offset) {
    TimeSlots times;
    times.fill(-1);
    std::size_t pos = offset + 4 + measureStoredKey(bytes, offset);
    for (int count = 0; bytes.size() - pos >= 4; pos += 4, ++count) {
        const std::int32_t time = readInt32(bytes, pos);
        if (time < 0)
            break;
        if (count < TIME_SLOTS)
            times[static_cast<std::size_t>(count)] = time;
    }
    return times;
}

// One entry as the loader meets it.
struct EntryScan {
    int count = 0;         // times before the terminator, past five included
    bool complete = false; // the terminator was there
    std::size_t end = 0;   // where the next entry starts
};

EntryScan scanTimes(const std::string& bytes, std::size_t pos) {
    EntryScan scan;
    for (; bytes.size() - pos >= 4; pos += 4) {
        if (readInt32(bytes, pos) < 0) {
            scan.complete = true;
            pos += 4;
            break;
        }
        ++scan.count;
    }
    scan.end = pos;
    return scan;
}

bool isBlank(const std::string& bytes, std::size_t offset) {
    return readInt32(bytes, offset + 4 + measureStoredKey(bytes, offset)) < 0;
}

// What the loader keeps of a file: the entries in file order up to where it stops.
struct FileScan {
    std::vector<std::uint32_t> entries; // offsets of the entries that give times
    bool storedForm = true;             // sorted, single, whole entries of at most five times
    std::size_t blankBytes = 0;
    std::size_t stop = 0; // where reading stopped: the damaged or cut entry, or the end
    TimesLoadResult result = TimesLoadResult::Loaded;
};

// Adds the entry at offset and sets next to where the next one starts; false when reading
// stops there.
bool scanEntry(const std::string& file, std::size_t offset, FileScan& scan,
               std::string_view& previousKey, std::size_t& next) {
    scan.stop = offset;
    if (file.size() - offset < 4) {
        if (offset != file.size())
            scan.result = TimesLoadResult::CutOff;
        return false;
    }
    const std::int32_t keyLength = readInt32(file, offset);
    if (keyLength < 0 || keyLength > StoredTimes::MAX_KEY_BYTES) {
        scan.result = TimesLoadResult::Damaged;
        return false;
    }
    if (file.size() - offset - 4 < static_cast<std::size_t>(keyLength)) {
        scan.result = TimesLoadResult::CutOff;
        return false;
    }
    const EntryScan times = scanTimes(file, offset + 4 + static_cast<std::size_t>(keyLength));
    // A cut-off entry keeps the times read before the cut; one cut before its first time has
    // nothing to keep and must not wipe an earlier entry of the same key.
    if (times.complete || times.count > 0) {
        const std::string_view key = readLoadedKey(file, offset);
        const bool inOrder = scan.entries.empty() || previousKey < key;
        scan.storedForm = scan.storedForm && times.complete && times.count <= TIME_SLOTS &&
                          inOrder && key.size() == static_cast<std::size_t>(keyLength);
        scan.entries.push_back(static_cast<std::uint32_t>(offset));
        if (times.count == 0)
            scan.blankBytes += times.end - offset;
        previousKey = key;
    }
    if (!times.complete) {
        scan.result = TimesLoadResult::CutOff;
        return false;
    }
    next = times.end;
    return true;
}

FileScan scanFile(const std::string& file) {
    FileScan scan;
    std::string_view previousKey;
    std::size_t next = 0;
    for (std::size_t offset = 0; scanEntry(file, offset, scan, previousKey, next); offset = next) {
    }
    return scan;
}

} // namespace

std::string_view StoredTimes::keyAt(std::size_t index) const {
    const std::size_t offset = offsets[index];
    return {bytes.data() + offset + 4, measureStoredKey(bytes, offset)};
}

TimeSlots StoredTimes::readTimes(std::size_t index) const {
    return decodeTimes(bytes, offsets[index]);
}

std::size_t StoredTimes::find(std::string_view key) const {
    const std::size_t index = findFirstNotBefore(key, 0);
    return index < count() && keyAt(index) == key ? index : count();
}

std::size_t StoredTimes::findFirstNotBefore(std::string_view key, std::size_t from) const {
    std::size_t low = from;
    std::size_t high = count();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (keyAt(middle) < key)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

std::string StoredTimes::makeFileImage() const {
    if (blankBytes == 0)
        return bytes;
    std::string image;
    image.reserve(measureFileImage());
    for (std::size_t i = 0; i < count(); ++i) {
        const std::size_t end = i + 1 < count() ? offsets[i + 1] : bytes.size();
        if (!isBlank(bytes, offsets[i]))
            image.append(bytes, offsets[i], end - offsets[i]);
    }
    return image;
}

bool StoredTimes::isFileImage(const std::string& file) const {
    return blankBytes == 0 && file == bytes;
}

StoredTimes StoredTimes::parse(std::string& file, TimesLoadResult& result,
                               std::size_t& damageOffset) {
    FileScan scan = scanFile(file);
    result = scan.result;
    damageOffset = scan.stop;
    if (scan.storedForm) {
        StoredTimes stored;
        // A damaged or cut file stays whole for its report and its copy.
        if (scan.result == TimesLoadResult::Loaded) {
            stored.bytes = std::move(file);
            file.clear();
        } else {
            stored.bytes.assign(file, 0, scan.stop);
        }
        stored.offsets = std::move(scan.entries);
        stored.blankBytes = scan.blankBytes;
        return stored;
    }
    // Entries of one key stay in file order, so the last of each run is the one that counts.
    std::stable_sort(scan.entries.begin(), scan.entries.end(),
                     [&file](std::uint32_t a, std::uint32_t b) {
                         return readLoadedKey(file, a) < readLoadedKey(file, b);
                     });
    StoredTimesWriter writer(scan.stop);
    for (std::size_t i = 0; i < scan.entries.size(); ++i) {
        const std::string_view key = readLoadedKey(file, scan.entries[i]);
        if (i + 1 < scan.entries.size() && readLoadedKey(file, scan.entries[i + 1]) == key)
            continue;
        writer.append(key, decodeTimes(file, scan.entries[i]));
    }
    return writer.finish();
}

StoredTimesWriter::StoredTimesWriter(std::size_t expectedBytes) {
    made.bytes.reserve(expectedBytes);
}

void StoredTimesWriter::append(std::string_view key, const TimeSlots& times) {
    const std::size_t start = made.bytes.size();
    made.offsets.push_back(static_cast<std::uint32_t>(start));
    appendInt32(made.bytes, static_cast<std::int32_t>(key.size()));
    made.bytes.append(key);
    for (std::size_t slot = 0; slot < times.size() && times[slot] >= 0; ++slot)
        appendInt32(made.bytes, times[slot]);
    appendInt32(made.bytes, -1);
    if (times[0] < 0)
        made.blankBytes += made.bytes.size() - start;
}

void StoredTimesWriter::copy(const StoredTimes& from, std::size_t first, std::size_t last) {
    if (first >= last)
        return;
    const std::size_t start = from.offsets[first];
    const std::size_t end = last < from.count() ? from.offsets[last] : from.bytes.size();
    const std::size_t shifted = made.bytes.size();
    made.bytes.append(from.bytes, start, end - start);
    for (std::size_t i = first; i < last; ++i) {
        const std::size_t offset = from.offsets[i] - start + shifted;
        made.offsets.push_back(static_cast<std::uint32_t>(offset));
        if (from.blankBytes > 0 && isBlank(made.bytes, offset)) {
            const std::size_t next = i + 1 < from.count() ? from.offsets[i + 1] : from.bytes.size();
            made.blankBytes += next - from.offsets[i];
        }
    }
}

StoredTimes StoredTimesWriter::finish() {
    return std::move(made);
}
