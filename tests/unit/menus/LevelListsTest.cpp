#include "menus/LevelLists.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

struct TemporaryDirectory {
    fs::path path;
    TemporaryDirectory() {
        char pattern[] = "/tmp/tirva-levels-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TemporaryDirectory() { fs::remove_all(path); }

    void write(const std::string& name, const std::string& bytes) const {
        fs::create_directories((path / name).parent_path());
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
    std::string prefix() const { return path.string() + "/"; }
};

Lines describeAll(const BoardList& list) {
    Lines texts;
    for (std::size_t i = 0; i < list.entries.size(); ++i)
        texts.push_back(describeBoardListEntry(list, i));
    return texts;
}

// A best-times table that knows only the given paths and records every lookup.
struct FakeBestTimes {
    std::map<std::string, std::int32_t> best;
    Lines lookups;

    BestTimeLookup lookup() {
        return [this](const std::string& path) {
            lookups.push_back(path);
            auto found = best.find(path);
            return found == best.end() ? -1 : found->second;
        };
    }
};

} // namespace

TEST(LevelLists, ScanSortsFilesAndPacksApartAndSkipsHiddenEntries) {
    TemporaryDirectory levs;
    levs.write("b.txt", "");
    levs.write("A.txt", "");
    levs.write(".hidden", "");
    levs.write(".hiddenpack/info.txt", "x\n");
    levs.write("packx/info.txt", "one000\n");
    LevelDirectory levels = scanLevelDirectory(levs.path.string());
    EXPECT_EQ(levels.files, (Lines{"A.txt", "b.txt"}));
    EXPECT_EQ(levels.packs, (Lines{"packx"}));

    BoardList boards = makeBoardList(levels);
    EXPECT_EQ(boards.prefix, "levs/");
    EXPECT_EQ(boards.fileCount, 2);
    EXPECT_EQ(boards.entries, (Lines{"A.txt", "b.txt", "packx"}));
    EXPECT_EQ(describeAll(boards), (Lines{"a.", "b.", "packx/"}));
    PackList packs = makePackList(levels);
    ASSERT_EQ(packs.packs.size(), 1u);
    EXPECT_EQ(describePackListEntry(packs, 0), "packx");
}

TEST(LevelLists, ScanOrdersNamesByTheirBytes) {
    TemporaryDirectory levs;
    for (const char* name : {"\xc3\xa9t\xc3\xa9", "alpha", "Zeta", "al", "_x", "10", "9"})
        levs.write(name, "");
    EXPECT_EQ(scanLevelDirectory(levs.path.string()).files,
              (Lines{"10", "9", "Zeta", "_x", "al", "alpha", "\xc3\xa9t\xc3\xa9"}));
}

TEST(LevelLists, ScanCountsALinkToADirectoryAsAPack) {
    TemporaryDirectory levs;
    levs.write("real/info.txt", "");
    fs::create_directory_symlink(levs.path / "real", levs.path / "linked");
    fs::create_symlink(levs.path / "nowhere", levs.path / "dangling");
    LevelDirectory levels = scanLevelDirectory(levs.path.string());
    EXPECT_EQ(levels.packs, (Lines{"linked", "real"}));
    EXPECT_EQ(levels.files, (Lines{"dangling"}));
}

TEST(LevelLists, MissingOrUnlistableDirectoryGivesEmptyLists) {
    TemporaryDirectory root;
    root.write("plainfile", "not a directory");
    for (std::string path : {root.prefix() + "absent", root.prefix() + "plainfile"}) {
        LevelDirectory levels = scanLevelDirectory(path);
        EXPECT_TRUE(levels.files.empty()) << path;
        EXPECT_TRUE(levels.packs.empty()) << path;
    }
    BoardList boards = makeBoardList(LevelDirectory{});
    EXPECT_TRUE(boards.entries.empty());
    EXPECT_EQ(boards.fileCount, 0);
}

TEST(LevelLists, DisplayTextDropsThreeCharactersOfBoardsAndMarksPacks) {
    BoardList list;
    list.entries = {"ABC.TXT", "abc", "ab", "", "Board \xc3\x89.Lv", "My Pack"};
    list.fileCount = 5;
    EXPECT_EQ(describeAll(list), (Lines{"abc.", "", "", "", "board \xc3\x89", "my pack/"}));
    EXPECT_EQ(list.entries[0], "ABC.TXT");

    PackList packs;
    packs.packs = {"Easy ONE.txt"};
    EXPECT_EQ(describePackListEntry(packs, 0), "easy one.txt");
}

TEST(LevelLists, WindowOfFifteenLinesFollowsTheSelection) {
    // Moving down through twenty entries from the top.
    std::uint32_t top = 0;
    for (std::uint32_t selected = 0; selected < 20; ++selected) {
        top = scrollListTop(selected, top);
        EXPECT_EQ(top, selected < 15 ? 0u : selected - 14) << "selected " << selected;
    }
    // Up from the first entry wraps to the last, shown as the fifteenth line.
    EXPECT_EQ(scrollListTop(19, 0), 5u);
    // Moving up inside the window keeps it; above it, the selection becomes the first line.
    EXPECT_EQ(scrollListTop(6, 5), 5u);
    EXPECT_EQ(scrollListTop(4, 5), 4u);
    EXPECT_EQ(scrollListTop(0, 0), 0u);
}

TEST(LevelLists, InfoLinesSkipCommentsAndEmptyLinesAndKeepEverythingElse) {
    EXPECT_EQ(parseInfoLines("# the first pack\n\none000\ntwo000\n"), (Lines{"one000", "two000"}));
    EXPECT_EQ(parseInfoLines(" spaced name \n #not a comment\n\tx\nlast"),
              (Lines{" spaced name ", " #not a comment", "\tx", "last"}));
    EXPECT_EQ(parseInfoLines(""), Lines{});
    EXPECT_EQ(parseInfoLines("\n\n#\n"), Lines{});
}

TEST(LevelLists, InfoLinesDropTheCarriageReturnOfCrLfLineEnds) {
    EXPECT_EQ(parseInfoLines("#c\r\none000\r\n\r\ntwo000\r\nthree\r"),
              (Lines{"one000", "two000", "three"}));
    EXPECT_EQ(parseInfoLines("a\rb\r\r\n"), (Lines{"a\rb\r"}));
}

TEST(LevelLists, InfoLineOf1024CharactersEndsTheList) {
    std::string longest(1023, 'x');
    std::string tooLong(1024, 'y');
    EXPECT_EQ(parseInfoLines("a\n" + longest + "\nb\n"), (Lines{"a", longest, "b"}));
    EXPECT_EQ(parseInfoLines("a\n" + longest + "\r\nb\n"), (Lines{"a", longest, "b"}));
    EXPECT_EQ(parseInfoLines("a\n" + tooLong + "\nb\n"), (Lines{"a"}));
    EXPECT_EQ(parseInfoLines("#" + tooLong + "\nb\n"), Lines{});
    EXPECT_EQ(parseInfoLines("a\n" + tooLong), (Lines{"a"}));
}

TEST(LevelLists, PackSubListEndsBeforeTheFirstBoardWithoutATime) {
    FakeBestTimes times;
    times.best = {{"levs/packx/one000", 12000}, {"levs/packx/three000", 9000}};
    Lines lines{"one000", "two000", "three000"};
    EXPECT_EQ(listFinishedBoards(lines, "levs/packx/", times.lookup()), (Lines{"one000"}));
    EXPECT_EQ(times.lookups, (Lines{"levs/packx/one000", "levs/packx/two000"}));

    times.best = {{"levs/packx/one000", -1}};
    EXPECT_EQ(listFinishedBoards(lines, "levs/packx/", times.lookup()), Lines{});
    times.best = {{"levs/packx/one000", 0}, {"levs/packx/two000", 1}, {"levs/packx/three000", 2}};
    EXPECT_EQ(listFinishedBoards(lines, "levs/packx/", times.lookup()), lines);
}

TEST(LevelLists, OpeningAPackBuildsASubListOfItsFinishedBoards) {
    TemporaryDirectory levs;
    levs.write("packx/info.txt", "# first pack\n\none000\ntwo000\n");
    BoardList list;
    list.entries = {"b.txt", "packx"};
    list.prefix = levs.prefix();
    list.fileCount = 1;
    FakeBestTimes times;
    times.best = {{levs.prefix() + "packx/one000", 5000}};

    std::optional<BoardList> pack = openPackSubList(list, 1, times.lookup());
    ASSERT_TRUE(pack);
    EXPECT_EQ(pack->entries, (Lines{"one000"}));
    EXPECT_EQ(pack->prefix, levs.prefix() + "packx/");
    EXPECT_EQ(pack->fileCount, 1);
    EXPECT_EQ(pack->selected, 0u);
    EXPECT_EQ(pack->top, 0u);
    EXPECT_EQ(describeAll(*pack), (Lines{"one"}));
}

TEST(LevelLists, PackWithoutInfoFileWarnsWithItsBareName) {
    TemporaryDirectory levs;
    fs::create_directory(levs.path / "packy");
    BoardList list;
    list.entries = {"packy"};
    list.prefix = levs.prefix();
    FakeBestTimes times;
    testing::internal::CaptureStderr();
    std::optional<BoardList> pack = openPackSubList(list, 0, times.lookup());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: couldn't open info file for level pack packy\n");
    EXPECT_FALSE(pack);
    EXPECT_TRUE(times.lookups.empty());
}

TEST(LevelLists, ReadPackGivesBoardPathsInPlayingOrder) {
    TemporaryDirectory levs;
    levs.write("packx/info.txt", "# comment\n\none000\r\ntwo000\n");
    EXPECT_EQ(readPack("packx", levs.prefix()),
              (Lines{levs.prefix() + "packx/one000", levs.prefix() + "packx/two000"}));
}

TEST(LevelLists, UnreadablePackWarnsWithTheInfoFilePathAndPlaysAsEmpty) {
    TemporaryDirectory levs;
    levs.write("packz/info.txt/inside", "an info.txt that is a directory");
    for (const char* pack : {"packz", "absent"}) {
        testing::internal::CaptureStderr();
        Lines paths = readPack(pack, levs.prefix());
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Warning: couldn't read level pack file " + levs.prefix() + pack + "/info.txt\n");
        EXPECT_TRUE(paths.empty());
    }
}

TEST(LevelLists, ScanLeavesOutWhatCouldNeverBeReadAsABoard) {
    TemporaryDirectory levs;
    levs.write("board.lv", "");
    ASSERT_EQ(::mkfifo((levs.path / "fifo.lv").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", levs.path / "zero.lv");
    fs::create_symlink("gone", levs.path / "dangling.lv");
    LevelDirectory levels = scanLevelDirectory(levs.path.string());
    // A dangling link may lead somewhere by the time it is chosen; it says so then.
    EXPECT_EQ(levels.files, (Lines{"board.lv", "dangling.lv"}));
}

TEST(LevelLists, InfoFilesWrittenByEditorsReadTheSame) {
    const std::string mark = "\xEF\xBB\xBF";
    EXPECT_EQ(parseInfoLines(mark + "one000\ntwo000\n"), (Lines{"one000", "two000"}));
    EXPECT_EQ(parseInfoLines(mark + "# comment\r\none000\r\n"), (Lines{"one000"}));
    EXPECT_EQ(findOverlongInfoLine(mark + "one000\n"), 0u);
    const std::string longest(INFO_LINE_LIMIT - 1, 'x');
    EXPECT_EQ(findOverlongInfoLine("a\n" + longest + "\r\n#\n" + longest + "y\nb\n"), 4u);
    EXPECT_EQ(findOverlongInfoLine("a\n\n" + longest + "yz"), 3u);
}

TEST(LevelLists, AnInfoFileThatIsNoRegularFileOrTooLargeIsRefused) {
    TemporaryDirectory levs;
    fs::create_directories(levs.path / "fifo");
    ASSERT_EQ(::mkfifo((levs.path / "fifo" / "info.txt").c_str(), 0600), 0);
    levs.write("big/info.txt", "");
    fs::resize_file(levs.path / "big" / "info.txt", MAX_INFO_FILE_BYTES + 1);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(readPack("fifo", levs.prefix()).empty());
    EXPECT_TRUE(readPack("big", levs.prefix()).empty());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: couldn't read level pack file " + levs.prefix() + "fifo/info.txt\n" +
                  "Warning: level pack file " + levs.prefix() +
                  "big/info.txt is larger than 1 MiB; it is not read\n");
}

TEST(LevelLists, BoardLinesShowTheirBestTimeAndPackLinesTheirFinishedBoards) {
    TemporaryDirectory levs;
    levs.write("packx/info.txt", "one000\ntwo000\nthree000\n");
    fs::create_directory(levs.path / "packy");
    BoardList list;
    list.entries = {"a.lv", "b.lv", "packx", "packy"};
    list.prefix = levs.prefix();
    list.fileCount = 2;
    FakeBestTimes times;
    times.best = {{levs.prefix() + "a.lv", 12960},
                  {levs.prefix() + "packx/one000", 5000},
                  {levs.prefix() + "packx/three000", 7000}};
    EXPECT_EQ(describeBoardListProgress(list, 0, times.lookup()), "12.96");
    EXPECT_EQ(describeBoardListProgress(list, 1, times.lookup()), "-");
    EXPECT_EQ(describeBoardListProgress(list, 2, times.lookup()), "2/3");
    testing::internal::CaptureStderr();
    EXPECT_EQ(describeBoardListProgress(list, 3, times.lookup()), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "only a drawing: no warning";
    EXPECT_EQ(describeAll(list), (Lines{"a", "b", "packx/", "packy/"}));

    PackList packs;
    packs.packs = {"packx", "packy"};
    EXPECT_EQ(describePackListProgress(packs, 0, times.lookup(), levs.prefix()), "2/3");
    EXPECT_EQ(describePackListProgress(packs, 1, times.lookup(), levs.prefix()), "");
}

TEST(LevelLists, APacksSubListKnowsAllItsBoardsAndExplainsItselfWhenEmpty) {
    TemporaryDirectory levs;
    levs.write("packx/info.txt", "one000\ntwo000\n");
    BoardList list;
    list.entries = {"packx"};
    list.prefix = levs.prefix();
    FakeBestTimes times;
    std::optional<BoardList> pack = openPackSubList(list, 0, times.lookup());
    ASSERT_TRUE(pack);
    const Lines paths{levs.prefix() + "packx/one000", levs.prefix() + "packx/two000"};
    EXPECT_EQ(pack->packPaths, paths);
    EXPECT_TRUE(pack->entries.empty());
    EXPECT_NE(describeEmptyList(*pack), "");
    EXPECT_EQ(describeEmptyList(list), "") << "the main list is not a pack's";
    times.best = {{paths[0], 100}};
    EXPECT_EQ(describeEmptyList(*openPackSubList(list, 0, times.lookup())), "");

    // Only the pack's last board adds up the pack.
    EXPECT_EQ(listPackTotalPaths(paths[1], paths), paths);
    EXPECT_EQ(listPackTotalPaths(paths[0], paths), Lines{});
    EXPECT_EQ(listPackTotalPaths("levs/a.lv", {}), Lines{});
}
