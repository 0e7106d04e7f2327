#include "tools/Commands.h"

int runMazeCommand(const Arguments&) {
    return reportUsageError("maze", "not available yet");
}
