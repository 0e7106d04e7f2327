#include "menus/gl/CreditsScreen.h"

#include "base/InputDevice.h"
#include "menus/CreditsTimeline.h"
#include "menus/MenuKeyLines.h"
#include "render/gl/MenuFrames.h"

#include <SDL.h>

namespace {

// True when the player asked to end the credits; takes every pending event.
bool readStopRequest(InputDevice& device) {
    bool stop = false;
    InputEvent event;
    while (device.pollEvent(event))
        stop = stop || endsCredits(event);
    return stop;
}

} // namespace

CreditsScreen::CreditsScreen()
    : entries{{"Aino \"Sparks\"\nVellamo", "code graphics,\nlevels"},
              {"Ilmari \"Drone\"\nKorpela", "music"},
              {"Saana \"Marble\"\nHietanen", "levels"},
              {"Otso \"Tilt\"\nRautio", "levels"}},
      studio("Kallistus Works") {}

void CreditsScreen::run(InputDevice& device) {
    // Keys pressed while the game was busy ending (a save waiting for its lock) must not cut
    // short the credits that carry a notice.
    if (!notice.empty())
        readStopRequest(device);
    CreditsTimeline timeline(SDL_GetTicks());
    scroll = timeline.scroll();
    while (timeline.isRunning()) {
        const std::uint32_t sleepMs = timeline.scheduleFrame(SDL_GetTicks());
        if (sleepMs > 0)
            SDL_Delay(sleepMs);
        if (readStopRequest(device))
            return;
        timeline.advance();
        scroll = timeline.scroll();
        draw();
    }
}

void CreditsScreen::draw() {
    drawCreditsFrame(entries, studio, scroll, describeCreditsKeys(), notice);
}
