#include "tools/Commands.h"

int runCheckCommand(const Arguments&) {
    return reportUsageError("check", "not available yet");
}
