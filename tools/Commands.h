#pragma once
// What the subcommands of tirva-tool share. Each command is a function
// `int runNameCommand(const Arguments&)` in its own tools/NameCommand.cpp, declared and listed
// in the command table of TirvaTool.cpp; it takes the arguments after its own name and returns
// the process exit code: 0 success, 1 a failure to report, 2 a usage error.

#include "base/FileIO.h"

#include <cstdint>
#include <string>
#include <vector>

class Board;

using Arguments = std::vector<std::string>;

// The largest seed a command takes: what C's srand takes, a 32-bit unsigned int.
constexpr std::int64_t MAX_SEED = 4294967295;

// A board named on the command line, read as the game reads one, except that a name leading
// to the tool's own standard input (/dev/stdin) reads it to its end, so a board can be piped
// in. Prints the loader's line when it is refused.
void loadBoardArgument(Board& board, const std::string& path);
FileRead readBoardArgument(const std::string& path);

// True when args ask for help ("--help" or "-h" anywhere).
bool wantsHelp(const Arguments& args);
// Prints "tirva-tool COMMAND: message" and a hint on standard error; returns exit code 2.
int reportUsageError(const std::string& command, const std::string& message);
// Writes a board file's text to standard output, whole and flushed; false, after "tirva-tool
// COMMAND: couldn't write the board to standard output" on standard error, when it cannot.
bool writeBoardToStandardOutput(const std::string& command, const std::string& text);
