#include "tools/Commands.h"

int runDumpCommand(const Arguments&) {
    return reportUsageError("dump", "not available yet");
}
