// tirva-tool compose: a picture of a board, as show draws it, turned back into a board file,
// so an author draws walls instead of adding up their bits.

#include "tools/Commands.h"

#include "base/FileIO.h"
#include "game/Board.h"
#include "game/BoardDrawing.h"
#include "game/BoardText.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr const char* COMMAND = "compose";

constexpr const char* HELP = R"(usage: tirva-tool compose [PICTURE] [-o BOARD]

Turns a picture of a board, as tirva-tool show draws it, into a board file:
    tirva-tool show --rulers levs/mine.lv > mine.txt
    (draw in mine.txt)
    tirva-tool compose mine.txt -o levs/mine.lv
Reads PICTURE (standard input when it is left out or "-") and writes the board in the
plain layout to standard output, or to BOARD, which is replaced in one step.
  - Every cell is three characters between its walls: "---" under a cell and "|" right
    of it are straight walls; "\", "/" or "X" on both sides of its kind are diagonal walls.
    The outline is always walled.
  - The kind: a blank or "." floor, "S" start, "G" goal hole, "T" trap hole, "#" gap
    ("###" fills the cell).
  - The line above the picture, show's header, gives the time limit ("time limit 20.00 s",
    or in ms "time limit 20000 ms") and "follow view only"; without it there is no limit.
  - Rulers (show --rulers), blank lines and blanks at line ends are skipped; a picture of
    one character per cell ("+-+" per column) is read too.
A picture that is not a board gets one line naming its line and character and the cell's
row and column, counting from 1, and exit code 1. Check the board with tirva-tool check.
)";

struct ComposeRequest {
    std::string picture = "-";
    std::optional<std::string> output;
};

std::optional<ComposeRequest> parseRequest(const Arguments& args, std::string& problem) {
    ComposeRequest request;
    bool hasPicture = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o" || arg == "--output") {
            if (i + 1 == args.size()) {
                problem = arg + " needs a BOARD file";
                return std::nullopt;
            }
            request.output = args[++i];
        } else if (arg.rfind("--output=", 0) == 0) {
            request.output = arg.substr(9);
        } else if (arg.size() > 1 && arg[0] == '-') {
            problem = "unknown option '" + arg + "'";
            return std::nullopt;
        } else if (hasPicture) {
            problem = "expected one PICTURE at most";
            return std::nullopt;
        } else {
            request.picture = arg;
            hasPicture = true;
        }
    }
    return request;
}

FileRead readPicture(const std::string& path) {
    if (path == "-" || isStandardInput(path))
        return readStandardInput(MAX_DRAWING_BYTES);
    return readFile(path, MAX_DRAWING_BYTES);
}

bool writeBoard(const std::optional<std::string>& path, const std::string& text) {
    if (!path)
        return writeBoardToStandardOutput(COMMAND, text);
    if (writeFileAtomically(*path, text))
        return true;
    std::fprintf(stderr, "tirva-tool compose: couldn't write %s\n", path->c_str());
    return false;
}

} // namespace

int runComposeCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    std::string problem;
    std::optional<ComposeRequest> request = parseRequest(args, problem);
    if (!request)
        return reportUsageError(COMMAND, problem);
    std::string name = request->picture == "-" ? "standard input" : request->picture;
    FileRead file = readPicture(request->picture);
    if (file.status == ReadStatus::TooBig) {
        std::fprintf(stderr,
                     "tirva-tool compose: %s: the file is larger than %s, more than the picture "
                     "of the largest board\n",
                     name.c_str(), describeByteCount(MAX_DRAWING_BYTES).c_str());
        return 1;
    }
    if (file.status != ReadStatus::Read) {
        std::fprintf(stderr, "tirva-tool compose: couldn't open picture file %s\n", name.c_str());
        return 1;
    }
    Board board;
    if (std::optional<std::string> failure = readBoardDrawing(file.bytes, board)) {
        std::fprintf(stderr, "tirva-tool compose: %s: %s\n", name.c_str(), failure->c_str());
        return 1;
    }
    return writeBoard(request->output, formatBoardText(board)) ? 0 : 1;
}
