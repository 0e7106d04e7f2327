#pragma once
// The boards under "levs": single board files, and level packs (directories whose "info.txt"
// lists their boards in playing order). The rules of the board list and the pack list that
// offer them live here, free of drawing, so the screens only draw and dispatch keys.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr const char* LEVELS_PREFIX = "levs/";
constexpr const char* PACK_INFO_FILE = "info.txt";
// An "info.txt" line this long or longer ends the list there; the lines before it count.
constexpr std::size_t INFO_LINE_LIMIT = 1024;
// Far more than any pack's list needs; a larger "info.txt" is refused unread.
constexpr std::uint64_t MAX_INFO_FILE_BYTES = 1024 * 1024;
// Lines of a list screen that fit below its title.
constexpr std::uint32_t LIST_WINDOW_LINES = 15;

// One scan of the levels directory: entry names (last path component), sorted by bytes.
struct LevelDirectory {
    // single boards: every entry that is not a directory, except FIFOs, devices and sockets,
    // which could never be read as boards
    std::vector<std::string> files;
    std::vector<std::string> packs; // level packs: the directories
    bool unlistable = false; // it exists but could not be listed (not a directory, unreadable)
};

// A board list: single boards followed by packs, or the finished boards of one pack.
struct BoardList {
    std::vector<std::string> entries; // names shown, relative to prefix
    std::uint32_t selected = 0;
    std::uint32_t top = 0;      // first entry drawn
    std::string prefix;         // directory the names are relative to, ending in '/'
    std::int32_t fileCount = 0; // leading entries that are boards; the rest are packs
    // In a pack's sub-list: the paths of all the pack's boards, in playing order.
    std::vector<std::string> packPaths;
};

struct PackList {
    std::vector<std::string> packs;
    std::uint32_t selected = 0;
    std::uint32_t top = 0; // first entry drawn
};

// A board's best time in milliseconds, negative when it has none, by its path.
using BestTimeLookup = std::function<std::int32_t(const std::string& path)>;

// Lists path, skipping entries whose names begin with '.'. A directory that is missing or
// cannot be listed gives two empty lists: the game still starts, with nothing to offer.
LevelDirectory scanLevelDirectory(const std::string& path);

// The main board list under "levs/" and the pack list, both scrolled to the top.
BoardList makeBoardList(const LevelDirectory& levels);
PackList makePackList(const LevelDirectory& levels);

// What the lists show for an entry: a board's name without its last three characters (the
// extension of the usual names), a pack's name with a '/', pack list names as they are; all
// lower-cased. The stored names stay as they are, since they are paths.
std::string describeBoardListEntry(const BoardList& list, std::size_t index);
std::string describePackListEntry(const PackList& list, std::size_t index);

// What a line shows at its right: a board's best time, or a dash while it has none; a pack's
// finished boards out of all its boards ("3/8"), or nothing when its "info.txt" cannot be
// read. The text of the line itself stays as it is. A pack's line reads its "info.txt":
// screens keep what these give for as long as they are shown (ListProgress).
std::string describeBoardListProgress(const BoardList& list, std::size_t index,
                                      const BestTimeLookup& bestTimeOf);
std::string describePackListProgress(const PackList& list, std::size_t index,
                                     const BestTimeLookup& bestTimeOf,
                                     const std::string& levelsPrefix = LEVELS_PREFIX);

// What an empty pack sub-list says: where its boards come from. Nothing for any other list.
std::string describeEmptyList(const BoardList& list);

// The boards whose best times make up a pack's total when path is played: all of packPaths
// when path is the pack's last board, none otherwise.
std::vector<std::string> listPackTotalPaths(const std::string& path,
                                            const std::vector<std::string>& packPaths);

// The first line to draw so that the selected line stays inside the window, moving the
// window as little as possible from top.
std::uint32_t scrollListTop(std::uint32_t selected, std::uint32_t top);

// The board names of an "info.txt", in playing order: every line as written except empty
// lines, '#' comments, a carriage return before the line feed and a byte-order mark at the
// start of the file.
std::vector<std::string> parseInfoLines(const std::string& bytes);
// Calls visit with each of those names where it stands in bytes, without copying it.
void visitInfoLines(const std::string& bytes,
                    const std::function<void(std::string_view line)>& visit);
// The number (from 1) of the first line of an "info.txt" that is INFO_LINE_LIMIT bytes or
// longer, where the list ends; 0 when there is none.
std::size_t findOverlongInfoLine(const std::string& bytes);
// The board names of packDir + "info.txt", or nothing when it cannot be read. A file over
// MAX_INFO_FILE_BYTES is reported here, with one line naming it and the limit; for any other
// failure, the caller prints its own line.
std::optional<std::vector<std::string>> readInfoFile(const std::string& packDir, bool& reported);

// The leading lines whose boards (packDir + line) have a best time: a pack opens board by
// board. Looks up every line up to and including the first board without a time.
std::vector<std::string> listFinishedBoards(const std::vector<std::string>& lines,
                                            const std::string& packDir,
                                            const BestTimeLookup& bestTimeOf);

// The sub-list of the pack at index of list, holding its finished boards. When the pack's
// "info.txt" cannot be read, prints a warning and gives nothing.
std::optional<BoardList> openPackSubList(const BoardList& list, std::size_t index,
                                         const BestTimeLookup& bestTimeOf);

// The paths of a pack's boards in playing order. When its "info.txt" cannot be read, prints
// a warning and gives none: the pack plays as empty.
std::vector<std::string> readPack(const std::string& packName,
                                  const std::string& levelsPrefix = LEVELS_PREFIX);
