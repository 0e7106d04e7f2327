#include "tools/Commands.h"

int runTimesCommand(const Arguments&) {
    return reportUsageError("times", "not available yet");
}
