// tirva-tool: the board author's companion, built on the game's own core code.

#include "tools/Commands.h"

#include "base/Version.h"
#include "game/Board.h"

#include <cstdio>
#include <cstring>

int runDumpCommand(const Arguments& args);
int runCheckCommand(const Arguments& args);
int runShowCommand(const Arguments& args);
int runComposeCommand(const Arguments& args);
int runSimulateCommand(const Arguments& args);
int runTimesCommand(const Arguments& args);
int runTexturesCommand(const Arguments& args);
int runRenderCommand(const Arguments& args);
int runMazeCommand(const Arguments& args);

namespace {

// One row per command, in the order the help lists them.
struct Command {
    const char* name;
    int (*run)(const Arguments&);
    const char* summary;
};

const Command COMMANDS[] = {
    {"dump", runDumpCommand, "print a board file as JSON"},
    {"check", runCheckCommand, "check board files for errors and a reachable goal"},
    {"show", runShowCommand, "draw a board as a text picture"},
    {"compose", runComposeCommand, "turn a text picture as show draws it into a board file"},
    {"simulate", runSimulateCommand, "roll the ball over a board from tilt lines on stdin"},
    {"times", runTimesCommand, "print a best-times file as JSON"},
    {"textures", runTexturesCommand, "write the generated textures for a seed"},
    {"render", runRenderCommand, "draw a board with the game's renderer into a PNG"},
    {"maze", runMazeCommand, "generate a maze and print it as a board file"},
};

void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: tirva-tool COMMAND [ARGS...]   (tirva-tool COMMAND --help)\n\n");
    for (const Command& command : COMMANDS)
        std::fprintf(out, "  %-9s %s\n", command.name, command.summary);
    std::fprintf(out, "\n  --version print the version and exit\n");
}

} // namespace

FileRead readBoardArgument(const std::string& path) {
    return isStandardInput(path) ? readStandardInput(MAX_BOARD_FILE_BYTES) : readBoardFile(path);
}

void loadBoardArgument(Board& board, const std::string& path) {
    board.load(path, readBoardArgument(path));
}

bool wantsHelp(const Arguments& args) {
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h")
            return true;
    return false;
}

int reportUsageError(const std::string& command, const std::string& message) {
    std::fprintf(stderr, "tirva-tool %s: %s (see tirva-tool %s --help)\n", command.c_str(),
                 message.c_str(), command.c_str());
    return 2;
}

bool writeBoardToStandardOutput(const std::string& command, const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0)
        return true;
    std::fprintf(stderr, "tirva-tool %s: couldn't write the board to standard output\n",
                 command.c_str());
    return false;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "tirva-tool: missing command (see tirva-tool --help)\n");
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        printUsage(stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("tirva-tool %s\n", TIRVA_VERSION);
        return 0;
    }
    for (const Command& command : COMMANDS)
        if (std::strcmp(argv[1], command.name) == 0)
            return command.run(Arguments(argv + 2, argv + argc));
    std::fprintf(stderr, "tirva-tool: unknown command '%s' (see tirva-tool --help)\n", argv[1]);
    return 2;
}
