#include "tools/Commands.h"

#include "base/FileIO.h"
#include "game/Board.h"
#include "game/BoardCheck.h"
#include "menus/LevelLists.h"

#include <cstdio>

namespace {

constexpr const char* HELP = R"(usage: tirva-tool check BOARD_OR_PACK...

Checks each BOARD and prints one line "BOARD: problem" per problem found:
  - everything the game's loader refuses (malformed header or grid lines, symbols that are
    not hex digits, no start cell, too many cells, a file that ends too early, a file that
    is not a regular file or is larger than the largest board's text);
  - no goal hole, several start cells, kinds other than 0 to 4;
  - a goal that cannot be reached from the start: cells are joined where no wall stands
    between them, a cell with a diagonal wall counts as its two halves, and trap holes and
    gaps block the way;
  - a time-limit line holding more than the limit in ms and the follow flag ("20 000",
    "20s" and "2e4" all read as 20 ms), and a time limit under one second, with its line.
A directory is checked as a level pack: its info.txt (a line of 1024 bytes or more, where
the game's list ends, is reported with its number; so is a list that names no board), then
every board the list names.
Cells are named (column, row), counting from 0. Exits 0 only when everything is clean.
)";

// Prints the board's problems; true when it has none.
bool checkFile(const std::string& path) {
    FileRead file = readBoardArgument(path);
    if (file.status != ReadStatus::Read) {
        std::printf("%s: %s\n", path.c_str(),
                    file.status == ReadStatus::TooBig ? describeOversizedBoard().c_str()
                                                      : "couldn't open board file");
        return false;
    }
    Board board;
    BoardTail tail;
    if (std::optional<std::string> problem = board.parse(file.bytes, &tail)) {
        std::printf("%s: %s\n", path.c_str(), problem->c_str());
        return false;
    }
    std::vector<std::string> problems = checkBoard(board);
    std::vector<std::string> limitProblems = checkTimeLimit(board, tail);
    problems.insert(problems.end(), limitProblems.begin(), limitProblems.end());
    for (const std::string& problem : problems)
        std::printf("%s: %s\n", path.c_str(), problem.c_str());
    return problems.empty();
}

// Checks a pack's list as the game reads it, then every board it names.
bool checkPack(const std::string& directory) {
    std::string packDir = directory.back() == '/' ? directory : directory + '/';
    std::string infoPath = packDir + PACK_INFO_FILE;
    FileRead file = readFile(infoPath, MAX_INFO_FILE_BYTES);
    if (file.status == ReadStatus::TooBig) {
        std::printf("%s: the file is larger than %s; the game does not read it\n", infoPath.c_str(),
                    describeByteCount(MAX_INFO_FILE_BYTES).c_str());
        return false;
    }
    if (file.status != ReadStatus::Read) {
        std::printf("%s: couldn't open info file\n", infoPath.c_str());
        return false;
    }
    bool clean = true;
    if (std::size_t line = findOverlongInfoLine(file.bytes)) {
        std::printf("%s: line %zu is %zu bytes or longer; the game's list ends before it\n",
                    infoPath.c_str(), line, INFO_LINE_LIMIT);
        clean = false;
    }
    std::vector<std::string> names = parseInfoLines(file.bytes);
    if (names.empty()) {
        std::printf("%s: the list names no board\n", infoPath.c_str());
        clean = false;
    }
    for (const std::string& name : names)
        clean = checkFile(packDir + name) && clean;
    return clean;
}

} // namespace

int runCheckCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    if (args.empty())
        return reportUsageError("check", "expected at least one BOARD file or PACK directory");
    bool clean = true;
    for (const std::string& path : args)
        clean = (isDirectory(path) ? checkPack(path) : checkFile(path)) && clean;
    return clean ? 0 : 1;
}
