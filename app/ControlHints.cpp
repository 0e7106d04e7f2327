#include "app/ControlHints.h"

#include <algorithm>
#include <cmath>

namespace {

// Wide gaps keep each control and its key together; the font has no punctuation to do it.
constexpr const char* GAP = "   ";

} // namespace

void ControlHints::restart(std::int32_t tickMs) {
    startTick = tickMs;
    lastTick = tickMs;
    tiltingMs = 0;
}

void ControlHints::update(std::int32_t tickMs, float tiltX, float tiltY) {
    const std::int32_t ms = std::max(0, tickMs - lastTick);
    lastTick = tickMs;
    if (std::max(std::abs(tiltX), std::abs(tiltY)) >= LEANING_TILT)
        tiltingMs = std::min(tiltingMs + ms, TILTING_MS);
}

bool ControlHints::isShown(std::int32_t tickMs) const {
    return tickMs - startTick < MIN_SHOWN_MS || tiltingMs < TILTING_MS;
}

std::string describeControls(const ControlState& state) {
    std::string line;
    if (state.mouseMode)
        line = "mouse or arrows tilt";
    else if (state.hasAccelerometer)
        line = "laptop or arrows tilt";
    else
        line = "arrows tilt";
    line = line + GAP + "space pause" + GAP + "r restart" + GAP + "esc leave";
    if (state.followView)
        line = line + GAP + "a/s zoom";
    if (state.wholeViewAllowed)
        line = line + GAP + "v view";
    return line;
}

std::string describeBoard(const ControlState& state) {
    std::string line = state.boardName;
    if (state.timeLimitMs >= 0)
        line = line + GAP + describeTimeLimit(state.timeLimitMs);
    if (!state.wholeViewAllowed)
        line = line + GAP + "follow view only";
    return line;
}

// Whole seconds alone; a fraction without its trailing zeros.
std::string describeTimeLimit(std::int32_t limitMs) {
    std::string seconds = std::to_string(limitMs / 1000);
    const std::int32_t fraction = limitMs % 1000;
    if (fraction != 0) {
        std::string digits = std::to_string(1000 + fraction).substr(1);
        digits.erase(digits.find_last_not_of('0') + 1);
        seconds = seconds + "." + digits;
    }
    return "limit " + seconds + " s";
}

std::vector<std::string> listHintLines(const ControlState& state, bool controlsShown) {
    std::vector<std::string> lines;
    if (controlsShown && !state.boardName.empty())
        lines.push_back(describeBoard(state));
    if (!state.mouseMode && !state.hasAccelerometer)
        lines.push_back("the mouse is off" + std::string(GAP) + "click to tilt with the mouse");
    else if (!state.mouseMode && controlsShown)
        lines.push_back("click to tilt with the mouse");
    else if (state.hasAccelerometer && controlsShown)
        lines.push_back("click to tilt with the laptop");
    if (controlsShown)
        lines.push_back(describeControls(state));
    return lines;
}
