#include "tools/Commands.h"

int runShowCommand(const Arguments&) {
    return reportUsageError("show", "not available yet");
}
