#include "game/BestTimes.h"

#include "base/FileLock.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using Times = BestTimes::Times;

std::string bytesOf(std::initializer_list<int> values) {
    std::string out;
    for (int value : values)
        out.push_back(static_cast<char>(value));
    return out;
}

std::string int32Bytes(std::int32_t value) {
    std::string out;
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xff));
    return out;
}

std::string entryBytes(const std::string& key, std::initializer_list<std::int32_t> times) {
    std::string out = int32Bytes(static_cast<std::int32_t>(key.size())) + key;
    for (std::int32_t time : times)
        out += int32Bytes(time);
    return out;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct TemporaryDirectory {
    std::filesystem::path path;
    TemporaryDirectory() {
        char pattern[] = "/tmp/tirva-times-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TemporaryDirectory() { std::filesystem::remove_all(path); }
};

} // namespace

TEST(BestTimes, NewTimeTakesItsRankAndMovesSlowerTimesDown) {
    Times times = {1200, 1500, -1, -1, -1};
    EXPECT_EQ(BestTimes::enter(times, 1300), 1);
    EXPECT_EQ(times, (Times{1200, 1300, 1500, -1, -1}));
    Times empty = {-1, -1, -1, -1, -1};
    EXPECT_EQ(BestTimes::enter(empty, 9000), 0);
    EXPECT_EQ(empty, (Times{9000, -1, -1, -1, -1}));
}

TEST(BestTimes, EqualTimeRanksAfterTheKeptOne) {
    Times times = {1, 2, 3, 4, 5};
    EXPECT_EQ(BestTimes::enter(times, 6), -1);
    EXPECT_EQ(times, (Times{1, 2, 3, 4, 5}));
    EXPECT_EQ(BestTimes::enter(times, 3), 3);
    EXPECT_EQ(times, (Times{1, 2, 3, 3, 4}));
    EXPECT_EQ(BestTimes::enter(times, 4), -1);
}

TEST(BestTimes, EntryAddsFiveEmptySlotsAndStaysValid) {
    BestTimes table;
    Times& first = table.entry("levs/a");
    EXPECT_EQ(first, (Times{-1, -1, -1, -1, -1}));
    first[0] = 777;
    for (int i = 0; i < 1000; ++i)
        table.entry("levs/" + std::to_string(i));
    EXPECT_EQ(&table.entry("levs/a"), &first);
    EXPECT_EQ(first[0], 777);
}

TEST(BestTimes, SavedBytesAreLittleEndianInByteWiseKeyOrder) {
    BestTimes table;
    table.entry("ab") = {1500, 2000, -1, -1, -1};
    EXPECT_EQ(table.serialize(), bytesOf({0x02, 0, 0, 0, 'a', 'b', 0xdc, 0x05, 0, 0, 0xd0, 0x07, 0,
                                          0, 0xff, 0xff, 0xff, 0xff}));

    table.entry("\xe9t\xe9") = {1, -1, -1, -1, -1};
    table.entry("b") = {2, -1, -1, -1, -1};
    table.entry("a") = {3, 4, 5, 6, 7};
    table.entry("never completed");
    EXPECT_EQ(table.serialize(), entryBytes("a", {3, 4, 5, 6, 7, -1}) +
                                     entryBytes("ab", {1500, 2000, -1}) + entryBytes("b", {2, -1}) +
                                     entryBytes("\xe9t\xe9", {1, -1}));
}

TEST(BestTimes, SaveSkipsKeysTooLongToLoadBack) {
    BestTimes table;
    table.entry(std::string(5000, 'x')) = {1, -1, -1, -1, -1};
    table.entry("y") = {2, -1, -1, -1, -1};
    EXPECT_EQ(table.serialize(), entryBytes("y", {2, -1}));
}

TEST(BestTimes, LoadTakesTheFileAsStored) {
    BestTimes table;
    std::string file = entryBytes("seven", {7, 6, 5, 4, 3, 2, 1, -1}) +
                       entryBytes(std::string("cut\0tail", 8), {100, -1}) +
                       entryBytes("none", {-1}) + entryBytes("twice", {1, 2, -1}) +
                       entryBytes("twice", {30, -7});
    ASSERT_EQ(table.parse(file), BestTimes::LoadResult::Loaded);
    BestTimes::Entries expected = {
        {"seven", {7, 6, 5, 4, 3}},
        {"cut", {100, -1, -1, -1, -1}},
        {"none", {-1, -1, -1, -1, -1}},
        {"twice", {30, -1, -1, -1, -1}},
    };
    EXPECT_EQ(table.entries(), expected);
}

TEST(BestTimes, CutOffFileKeepsWhatWasReadBeforeTheCut) {
    std::string whole = entryBytes("first", {10, 20, -1}) + entryBytes("second", {30, 40, -1});
    // The times of "second" start after the first entry, its key length and its key.
    const std::size_t secondTimesAt = entryBytes("first", {10, 20, -1}).size() + 4 + 6;
    const std::size_t firstEnds = entryBytes("first", {10, 20, -1}).size();
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        BestTimes table;
        table.entry("second") = {5, -1, -1, -1, -1};
        std::size_t cutAt = 99;
        bool atEntryEnd = length == 0 || length == firstEnds || length == whole.size();
        ASSERT_EQ(table.parse(whole.substr(0, length), &cutAt),
                  atEntryEnd ? BestTimes::LoadResult::Loaded : BestTimes::LoadResult::CutOff)
            << length;
        if (!atEntryEnd) {
            EXPECT_EQ(cutAt, length < firstEnds ? 0u : firstEnds) << length;
        }
        // An entry cut before its first time must not wipe the times already in the table.
        std::size_t secondTimes = length < secondTimesAt ? 0 : (length - secondTimesAt) / 4;
        Times expected = {5, -1, -1, -1, -1};
        if (secondTimes >= 1)
            expected = {30, -1, -1, -1, -1};
        if (secondTimes >= 2)
            expected = {30, 40, -1, -1, -1};
        EXPECT_EQ(table.entries().at("second"), expected) << length;
    }
}

TEST(BestTimes, ImpossibleKeyLengthStopsTheLoadAndKeepsEarlierEntries) {
    for (std::int32_t length : {4097, -5, 0x7fffffff}) {
        BestTimes table;
        std::string file = entryBytes("kept", {5, -1}) + int32Bytes(length) + "junk";
        std::size_t offset = 0;
        EXPECT_EQ(table.parse(file, &offset), BestTimes::LoadResult::Damaged);
        EXPECT_EQ(offset, 16u);
        ASSERT_EQ(table.entries().size(), 1u);
        EXPECT_EQ(table.entries().at("kept"), (Times{5, -1, -1, -1, -1}));
    }
    BestTimes table;
    EXPECT_EQ(table.parse(entryBytes(std::string(4096, 'k'), {1, -1})),
              BestTimes::LoadResult::Loaded);
    EXPECT_EQ(table.entries().size(), 1u);
}

TEST(BestTimesFile, MissingFileWarnsAndZeroByteFileIsQuietlyEmpty) {
    TemporaryDirectory directory;
    std::string missing = (directory.path / "times.dat").string();
    BestTimes table;
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(missing), BestTimes::LoadResult::Unreadable);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: couldn't read score file " + missing + "\n");

    writeFile(missing, "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(missing), BestTimes::LoadResult::Loaded);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(table.entries().empty());
}

TEST(BestTimesFile, DamagedFileWarnsOnce) {
    TemporaryDirectory directory;
    std::string path = (directory.path / "times.dat").string();
    writeFile(path, entryBytes("kept", {5, -1}) + int32Bytes(99999));
    BestTimes table;
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(path), BestTimes::LoadResult::Damaged);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: score file " + path + " is damaged at byte 16; the rest is ignored\n");
    EXPECT_EQ(table.entries().size(), 1u);
}

TEST(BestTimesFile, SaveThenLoadGivesTheSameTable) {
    TemporaryDirectory directory;
    std::string path = (directory.path / "times.dat").string();
    BestTimes table;
    BestTimes::enter(table.entry("levs/one"), 1200);
    BestTimes::enter(table.entry("levs/pack/two"), 800);
    BestTimes::enter(table.entry("levs/pack/two"), 700);
    table.entry("levs/unplayed");
    ASSERT_TRUE(table.save(path));
    BestTimes loaded;
    ASSERT_EQ(loaded.load(path), BestTimes::LoadResult::Loaded);
    BestTimes::Entries expected = table.entries();
    expected.erase("levs/unplayed");
    EXPECT_EQ(loaded.entries(), expected);
}

TEST(BestTimesFile, FailedSaveLeavesTheOldFileIntact) {
    TemporaryDirectory directory;
    std::string path = (directory.path / "times.dat").string();
    BestTimes old;
    old.entry("levs/old") = {1000, -1, -1, -1, -1};
    ASSERT_TRUE(old.save(path));
    std::string oldBytes = readFile(path);

    BestTimes bigger;
    for (int i = 0; i < 100; ++i)
        bigger.entry("levs/board" + std::to_string(i)) = {i, -1, -1, -1, -1};
    // A file size limit makes the write fail part-way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1024; // room for the captured warning, not for the table
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    testing::internal::CaptureStderr();
    bool savedOk = bigger.save(path);
    std::string printed = testing::internal::GetCapturedStderr();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(savedOk);
    EXPECT_EQ(printed, "Warning: failed writing scores to file " + path + "\n");
    EXPECT_EQ(readFile(path), oldBytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

TEST(BestTimesFile, SaveIntoAMissingDirectoryWarns) {
    BestTimes table;
    table.entry("a") = {1, -1, -1, -1, -1};
    testing::internal::CaptureStderr();
    EXPECT_FALSE(table.save("/nonexistent-tirva-dir/times.dat"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: failed writing scores to file /nonexistent-tirva-dir/times.dat\n");
}

TEST(BestTimesMerge, TwoCopiesSharingTheFileKeepEachOthersTimes) {
    TemporaryDirectory directory;
    std::string path = (directory.path / "times.dat").string();
    writeFile(path, entryBytes("levs/a", {3000, -1}));
    BestTimes first, second;
    first.load(path);
    second.load(path);
    BestTimes::Times& firstA = first.entry("levs/a");

    // Different boards, then the same board with an equal and a better time.
    BestTimes::enter(first.entry("levs/b"), 2000);
    ASSERT_TRUE(first.save(path));
    BestTimes::enter(second.entry("levs/c"), 4000);
    ASSERT_TRUE(second.save(path));
    BestTimes::enter(second.entry("levs/a"), 2500);
    ASSERT_TRUE(second.save(path));
    BestTimes::enter(firstA, 2500);
    ASSERT_TRUE(first.save(path));
    BestTimes::enter(firstA, 1000);
    ASSERT_TRUE(first.save(path));
    // Saving again adds nothing twice.
    ASSERT_TRUE(first.save(path));
    ASSERT_TRUE(second.save(path));

    BestTimes onDisk;
    onDisk.load(path);
    BestTimes::Entries expected = {{"levs/a", {1000, 2500, 2500, 3000, -1}},
                                   {"levs/b", {2000, -1, -1, -1, -1}},
                                   {"levs/c", {4000, -1, -1, -1, -1}}};
    EXPECT_EQ(onDisk.entries(), expected);
    // Each copy's table is what the file held after its last save; the entry it played from
    // is the same object, refreshed.
    EXPECT_EQ(first.entries(), expected);
    EXPECT_EQ(&first.entry("levs/a"), &firstA);
    EXPECT_EQ(second.entries(), expected);
}

TEST(BestTimesMerge, ASingleCopyWritesWhatItsTableHolds) {
    TemporaryDirectory directory;
    std::string path = (directory.path / "times.dat").string();
    // Stored out of order, as the loader takes it.
    writeFile(path, entryBytes("levs/a", {300, 100, 200, -1}) + entryBytes("levs/z", {7, -1}));
    BestTimes table;
    table.load(path);
    BestTimes::Times& a = table.entry("levs/a");
    EXPECT_EQ(BestTimes::enter(a, 150), 0);
    std::string expected = table.serialize();
    ASSERT_TRUE(table.save(path));
    EXPECT_EQ(readFile(path), expected);
    EXPECT_EQ(BestTimes::findSlot(a, 150), 0);
    EXPECT_EQ(BestTimes::findSlot(a, 999), -1);
}

TEST(BestTimesMerge, AFileThatCannotBeReadIsNeverReplacedAndTheTimeWaits) {
    TemporaryDirectory directory;
    std::string path = (directory.path / "times.dat").string();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    BestTimes table;
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(path), BestTimes::LoadResult::Unreadable);
    BestTimes::enter(table.entry("levs/a"), 1500);
    EXPECT_FALSE(table.save(path));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: couldn't read score file " + path +
                  "\nWarning: failed writing scores "
                  "to file " +
                  path + ": it cannot be read, so it is left as it is\n");
    EXPECT_TRUE(std::filesystem::is_fifo(path));

    // Once the file can be read again, the waiting time joins what it holds.
    std::filesystem::remove(path);
    writeFile(path, entryBytes("levs/b", {900, -1}));
    ASSERT_TRUE(table.save(path));
    BestTimes onDisk;
    onDisk.load(path);
    BestTimes::Entries expected = {{"levs/a", {1500, -1, -1, -1, -1}},
                                   {"levs/b", {900, -1, -1, -1, -1}}};
    EXPECT_EQ(onDisk.entries(), expected);
}

TEST(BestTimesMerge, AFileOverTheLimitIsNeitherReadNorReplaced) {
    TemporaryDirectory directory;
    std::string path = (directory.path / "times.dat").string();
    { std::ofstream(path, std::ios::binary); }
    std::filesystem::resize_file(path, BestTimes::MAX_FILE_BYTES + 1);
    BestTimes table;
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(path), BestTimes::LoadResult::Unreadable);
    BestTimes::enter(table.entry("levs/a"), 1500);
    EXPECT_FALSE(table.save(path));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: score file " + path + " is larger than 64 MiB; it is not read\n" +
                  "Warning: failed writing scores to file " + path +
                  ": it cannot be read, so it is left as it is\n");
    EXPECT_EQ(std::filesystem::file_size(path), BestTimes::MAX_FILE_BYTES + 1);
}

TEST(BestTimesMerge, ADamagedFileIsReportedOnceAndANewDamageAgain) {
    TemporaryDirectory directory;
    std::string path = (directory.path / "times.dat").string();
    std::string damaged = entryBytes("kept", {5, -1}) + int32Bytes(99999);
    writeFile(path, damaged);
    BestTimes table;
    testing::internal::CaptureStderr();
    table.load(path, true);
    BestTimes::enter(table.entry("levs/a"), 1500);
    ASSERT_TRUE(table.save(path));
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed, "Warning: score file " + path + " is damaged at byte 16; the rest is " +
                           "ignored, the whole file is kept as " + path + ".damaged\n");
    EXPECT_EQ(readFile(path + ".damaged"), damaged);

    std::string other = entryBytes("other", {6, -1}) + int32Bytes(-5);
    writeFile(path, other);
    BestTimes::enter(table.entry("levs/a"), 1400);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(table.save(path));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: score file " + path + " is damaged at byte 17; the rest is ignored, " +
                  "the whole file is kept as " + path + ".damaged\n");
    EXPECT_EQ(readFile(path + ".damaged"), other);
    // The entry the file no longer holds stays, without its times.
    BestTimes::Entries expected = {{"kept", {-1, -1, -1, -1, -1}},
                                   {"levs/a", {1400, -1, -1, -1, -1}},
                                   {"other", {6, -1, -1, -1, -1}}};
    EXPECT_EQ(table.entries(), expected);
}

TEST(BestTimesMerge, ATimeWaitsThroughABusyLockAndItsWarningIsNotRepeated) {
    TemporaryDirectory directory;
    std::string path = (directory.path / "times.dat").string();
    writeFile(path, entryBytes("levs/a", {3000, -1}));
    BestTimes table;
    table.load(path);
    // Looking times up, as the lists do, adds no entry.
    EXPECT_EQ(table.findTimes("levs/a"), (Times{3000, -1, -1, -1, -1}));
    EXPECT_EQ(table.findTimes("levs/unplayed"), (Times{-1, -1, -1, -1, -1}));
    EXPECT_EQ(table.entries().size(), 1u);
    EXPECT_FALSE(table.hasUnsavedTimes());

    BestTimes::enter(table.entry("levs/b"), 1200);
    EXPECT_TRUE(table.hasUnsavedTimes());
    {
        FileLock other(path, 0);
        ASSERT_EQ(other.state(), FileLock::State::Held);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(table.save(path, {0, false}));
        EXPECT_FALSE(table.save(path, {0, true}));
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Warning: failed writing scores to file " + path +
                      ": another program holds the save lock of directory " +
                      directory.path.string() + "/\n");
        EXPECT_EQ(table.lastSaveFailure(), BestTimes::SaveFailure::LockBusy);
        EXPECT_TRUE(table.hasUnsavedTimes());
    }
    ASSERT_TRUE(table.save(path, {0, true}));
    EXPECT_EQ(table.lastSaveFailure(), BestTimes::SaveFailure::None);
    EXPECT_FALSE(table.hasUnsavedTimes());
    BestTimes onDisk;
    onDisk.load(path);
    BestTimes::Entries expected = {{"levs/a", {3000, -1, -1, -1, -1}},
                                   {"levs/b", {1200, -1, -1, -1, -1}}};
    EXPECT_EQ(onDisk.entries(), expected);
}
