#include "tools/Commands.h"

int runRenderCommand(const Arguments&) {
    return reportUsageError("render", "not available yet");
}
