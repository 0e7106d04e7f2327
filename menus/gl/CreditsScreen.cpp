#include "menus/gl/CreditsScreen.h"

#include "app/gl/Music.h"
#include "menus/CreditsTimeline.h"
#include "render/gl/MenuDrawing.h"

#include <SDL.h>

namespace {

// True when the player asked to end the credits.
bool readStopRequest() {
    bool stop = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (handleMusicEvent(event))
            continue;
        if (event.type == SDL_QUIT)
            stop = true;
        if (event.type == SDL_KEYDOWN) {
            const SDLKey key = event.key.keysym.sym;
            stop = stop || key == SDLK_ESCAPE || key == SDLK_RETURN || key == SDLK_SPACE;
        }
    }
    return stop;
}

} // namespace

CreditsScreen::CreditsScreen()
    : entries{{"Aino \"Sparks\"\nVellamo", "code graphics,\nlevels"},
              {"Ilmari \"Drone\"\nKorpela", "music"},
              {"Saana \"Marble\"\nHietanen", "levels"},
              {"Otso \"Tilt\"\nRautio", "levels"}},
      studio("Kallistus Works") {}

void CreditsScreen::run() {
    CreditsTimeline timeline(SDL_GetTicks());
    scroll = timeline.scroll();
    while (timeline.isRunning()) {
        const std::uint32_t sleepMs = timeline.scheduleFrame(SDL_GetTicks());
        if (sleepMs > 0)
            SDL_Delay(sleepMs);
        if (readStopRequest())
            return;
        timeline.advance();
        scroll = timeline.scroll();
        draw();
    }
}

void CreditsScreen::draw() {
    drawCreditsFrame(entries, studio, scroll);
}
