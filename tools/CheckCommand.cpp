#include "tools/Commands.h"

#include "base/FileIO.h"
#include "game/Board.h"
#include "game/BoardCheck.h"
#include "game/BoardDiagnosis.h"
#include "game/PlayCheck.h"
#include "menus/LevelLists.h"

#include <unistd.h>

#include <cstdio>

namespace {

constexpr const char* HELP = R"(usage: tirva-tool check [--play] [-v] BOARD_OR_PACK...

Checks each BOARD and prints one line "BOARD: problem" per problem found:
  - everything the game's loader refuses (malformed header or grid lines, symbols that are
    not hex digits, no start cell, too many cells, a file that ends too early, a file that
    is not a regular file or is larger than the largest board's text);
  - no goal hole, several start cells, kinds other than 0 to 4;
  - a goal that cannot be reached from the start: cells are joined where no wall stands
    between them, a cell with a diagonal wall counts as its two halves, and trap holes and
    gaps block the way;
  - a time-limit line holding more than the limit in ms and the follow flag ("20 000",
    "20s" and "2e4" all read as 20 ms), and a time limit under one second, with its line;
  - a start, goal or trap hole on a cell with a diagonal wall: the wall runs through the
    cell's centre, so the ball cannot drop into the hole, or starts inside the wall.
A board the loader refuses gets the loader's line and, where it helps, the problem in the
grid's terms: "kinds row 4 (line 14) is missing", "walls row 2 (line 3) has 10 characters,
2 of them blanks at the end, expected 8", "the header is rows then columns: did you mean
6 8?".
A directory is checked as a level pack: its info.txt (a line of 1024 bytes or more, where
the game's list ends, is reported with its number; so is a list that names no board), then
every board the list names.
Cells are named (column, row), counting from 0; rows and columns named in words ("row 3,
column 5", "kinds row 4") count from 1, as lines do. Exits 0 only when everything is clean.
  --play  also plays each board that loads with the game's own ball physics, steering the
          ball along a route to a goal hole at a few top speeds, and prints "won in N.NN s"
          with a suggested time limit (twice that, in whole seconds), or "no run reached
          the goal" and how far the farthest run got. A run ends after 4 hours of play or
          6 s without headway; on a board of more than 65536 cells the route is searched
          along the shortest way only, and the check may give up.
  -v      prints "BOARD: ok" for a clean board, as it does when the output is a terminal.
)";

struct CheckOptions {
    bool play = false;
    bool verbose = false;
};

// Prints the board's problems (and its play with --play); true when it has none.
bool checkFile(const std::string& path, const CheckOptions& options) {
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
        for (const std::string& line : diagnoseBoardText(file.bytes))
            std::printf("%s: %s\n", path.c_str(), line.c_str());
        return false;
    }
    std::vector<std::string> problems = checkBoard(board);
    std::vector<std::string> limitProblems = checkTimeLimit(board, tail);
    problems.insert(problems.end(), limitProblems.begin(), limitProblems.end());
    for (const std::string& problem : problems)
        std::printf("%s: %s\n", path.c_str(), problem.c_str());
    bool clean = problems.empty();
    if (options.play) {
        PlayReport report = playBoard(board);
        std::printf("%s: %s\n", path.c_str(), describePlayReport(board, report).c_str());
        clean = clean && report.verdict == PlayVerdict::Won;
    } else if (clean && options.verbose) {
        std::printf("%s: ok\n", path.c_str());
    }
    // Each board's lines show as it is done, so a long pack shows its progress.
    std::fflush(stdout);
    return clean;
}

// Checks a pack's list as the game reads it, then every board it names.
bool checkPack(const std::string& directory, const CheckOptions& options) {
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
        clean = checkFile(packDir + name, options) && clean;
    return clean;
}

} // namespace

int runCheckCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    CheckOptions options;
    options.verbose = isatty(STDOUT_FILENO) == 1;
    Arguments paths;
    for (const std::string& arg : args) {
        if (arg == "--play")
            options.play = true;
        else if (arg == "-v" || arg == "--verbose")
            options.verbose = true;
        else if (arg.size() > 1 && arg[0] == '-')
            return reportUsageError("check", "unknown option '" + arg + "'");
        else
            paths.push_back(arg);
    }
    if (paths.empty())
        return reportUsageError("check", "expected at least one BOARD file or PACK directory");
    bool clean = true;
    for (const std::string& path : paths)
        clean = (isDirectory(path) ? checkPack(path, options) : checkFile(path, options)) && clean;
    return clean ? 0 : 1;
}
