#include "tools/Commands.h"

int runTexturesCommand(const Arguments&) {
    return reportUsageError("textures", "not available yet");
}
