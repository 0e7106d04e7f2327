#pragma once
// A display size the platform offers for full screen, as the options menu lists it.

#include <vector>

struct VideoMode {
    int width;
    int height;
};

// The full-screen modes in the order the platform reported them.
using ModeList = std::vector<VideoMode>;
