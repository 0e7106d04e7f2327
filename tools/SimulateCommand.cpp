#include "tools/Commands.h"

int runSimulateCommand(const Arguments&) {
    return reportUsageError("simulate", "not available yet");
}
