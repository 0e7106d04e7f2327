// tirva-tool maze: a maze from the game's own generator, written as a board file, so a board
// author can keep a generated maze and edit it.

#include "tools/Commands.h"

#include "base/Numbers.h"
#include "game/Board.h"
#include "game/BoardText.h"
#include "game/MazeGeneration.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* COMMAND = "maze";

// The generators' names as a sentence lists them: "prim, dfs, kruskal or chambers".
std::string listAlgorithmNames() {
    const std::vector<MazeAlgorithm>& algorithms = listMazeAlgorithms();
    std::string names;
    for (std::size_t i = 0; i < algorithms.size(); ++i) {
        if (i > 0)
            names += i + 1 == algorithms.size() ? " or " : ", ";
        names += algorithms[i].name;
    }
    return names;
}

void printHelp() {
    std::printf("usage: tirva-tool maze ALGORITHM WIDTH HEIGHT [--seed N]\n\n"
                "Generates a maze with the game's generator and writes it to standard output\n"
                "as a board file without a time limit.\n\n"
                "  ALGORITHM  %s\n"
                "  WIDTH      columns, 1 or more\n"
                "  HEIGHT     rows, 1 or more; WIDTH x HEIGHT at most %lld cells, as many as\n"
                "             the game loads from a board file, and not 1 x 1 (the start and\n"
                "             the goal need a cell each)\n"
                "  --seed N   seed of the random generator, 0 to 4294967295 (default: the\n"
                "             current time in seconds); one seed always gives the same maze\n",
                listAlgorithmNames().c_str(), static_cast<long long>(BOARD_MAX_CELLS));
}

// A whole decimal number within [low, high], nothing else: not even a '+'.
std::optional<std::int64_t> parseNumber(const std::string& text, std::int64_t low,
                                        std::int64_t high) {
    if (!text.empty() && text[0] == '+')
        return std::nullopt;
    std::optional<std::int64_t> value = parseWholeInteger(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

struct MazeRequest {
    int algorithm = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::optional<unsigned> seed;
};

// The request the arguments make, or nothing with the usage problem in problem.
std::optional<MazeRequest> parseRequest(const Arguments& args, std::string& problem) {
    MazeRequest request;
    Arguments positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--seed" || arg.rfind("--seed=", 0) == 0) {
            if (arg == "--seed" && i + 1 == args.size()) {
                problem = "--seed needs a number";
                return std::nullopt;
            }
            std::string text = arg == "--seed" ? args[++i] : arg.substr(7);
            std::optional<std::int64_t> seed = parseNumber(text, 0, MAX_SEED);
            if (!seed) {
                problem = "seed '" + text + "' is not a number from 0 to 4294967295";
                return std::nullopt;
            }
            request.seed = static_cast<unsigned>(*seed);
        } else if (arg.size() > 1 && arg[0] == '-' && !isDigit(arg[1])) {
            problem = "unknown option '" + arg + "'";
            return std::nullopt;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3) {
        problem = "expected ALGORITHM WIDTH HEIGHT";
        return std::nullopt;
    }
    std::optional<int> algorithm = findMazeAlgorithm(positional[0]);
    if (!algorithm) {
        problem = "unknown algorithm '" + positional[0] + "' (" + listAlgorithmNames() + ")";
        return std::nullopt;
    }
    std::optional<std::int64_t> width = parseNumber(positional[1], 1, BOARD_MAX_CELLS);
    std::optional<std::int64_t> height = parseNumber(positional[2], 1, BOARD_MAX_CELLS);
    if (!width || !height) {
        problem =
            "WIDTH and HEIGHT must be whole numbers from 1 to " + std::to_string(BOARD_MAX_CELLS);
        return std::nullopt;
    }
    // A board file the game would refuse to load is no use to anyone.
    if (*width * *height > BOARD_MAX_CELLS) {
        problem = "a " + std::to_string(*width) + " x " + std::to_string(*height) + " maze has " +
                  std::to_string(*width * *height) + " cells, more than the " +
                  std::to_string(BOARD_MAX_CELLS) + " a board may have";
        return std::nullopt;
    }
    // The goal would cover the only cell, and a board file without a start does not load.
    if (*width == 1 && *height == 1) {
        problem = "a 1 x 1 maze has no room for both the start and the goal";
        return std::nullopt;
    }
    request.algorithm = *algorithm;
    request.width = static_cast<std::int32_t>(*width);
    request.height = static_cast<std::int32_t>(*height);
    return request;
}

} // namespace

int runMazeCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        printHelp();
        return 0;
    }
    std::string problem;
    std::optional<MazeRequest> request = parseRequest(args, problem);
    if (!request)
        return reportUsageError(COMMAND, problem);

    // Nothing may draw from rand() between the seed and the generator.
    std::srand(request->seed ? *request->seed : static_cast<unsigned>(std::time(nullptr)));
    Board board;
    generateMaze(board, request->width, request->height, request->algorithm, std::rand);
    return writeBoardToStandardOutput(COMMAND, formatBoardText(board)) ? 0 : 1;
}
