#include "tools/Commands.h"

#include "base/FileIO.h"
#include "game/Board.h"
#include "game/BoardCheck.h"

#include <cstdio>

namespace {

constexpr const char* HELP = R"(usage: tirva-tool check BOARD...

Checks each BOARD and prints one line "BOARD: problem" per problem found:
  - everything the game's loader refuses (malformed header or grid lines, symbols that are
    not hex digits, no start cell, too many cells, a file that ends too early);
  - no goal hole, several start cells, kinds other than 0 to 4;
  - a goal that cannot be reached from the start: cells are joined where no wall stands
    between them, a cell with a diagonal wall counts as its two halves, and trap holes and
    gaps block the way.
Cells are named (column, row), counting from 0. Exits 0 only when every board is clean.
)";

// Prints the board's problems; true when it has none.
bool checkFile(const std::string& path) {
    std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        std::printf("%s: couldn't open board file\n", path.c_str());
        return false;
    }
    Board board;
    if (std::optional<std::string> problem = board.parse(*bytes)) {
        std::printf("%s: %s\n", path.c_str(), problem->c_str());
        return false;
    }
    std::vector<std::string> problems = checkBoard(board);
    for (const std::string& problem : problems)
        std::printf("%s: %s\n", path.c_str(), problem.c_str());
    return problems.empty();
}

} // namespace

int runCheckCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    if (args.empty())
        return reportUsageError("check", "expected at least one BOARD file");
    bool clean = true;
    for (const std::string& path : args)
        clean = checkFile(path) && clean;
    return clean ? 0 : 1;
}
