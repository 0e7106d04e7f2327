// Drives the game's music player outside the game, for the music end-to-end test: opens the
// tracks under music/ in the working directory, then runs the steps given as arguments
// while taking events from the game's own event source, which hands the music its notices.
//
//   music-probe [--off] STEP...
//   STEP: menu | game | switch-on | switch-off | wait:MS
//
// Each step prints one line "<ms since start> <step>" to standard output.

#include "app/gl/GameMusic.h"
#include "app/gl/SdlInputDevice.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Mirrors the menus' blocking wait, which SDL 1.2 implements as a poll every 10 ms.
void runEvents(Uint32 durationMs) {
    SdlInputDevice device;
    Uint32 end = SDL_GetTicks() + durationMs;
    while (static_cast<Sint32>(end - SDL_GetTicks()) > 0) {
        InputEvent event;
        if (!device.pollEvent(event))
            SDL_Delay(10);
    }
}

bool runStep(const std::string& step) {
    if (step == "menu")
        musicPlayer.startMenuMusic();
    else if (step == "game")
        musicPlayer.startGameMusic();
    else if (step == "switch-on")
        musicPlayer.switchMusic(true);
    else if (step == "switch-off")
        musicPlayer.switchMusic(false);
    else if (step.rfind("wait:", 0) == 0)
        runEvents(static_cast<Uint32>(std::atoi(step.c_str() + 5)));
    else
        return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The event queue needs the video subsystem; no window is opened.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "music-probe: %s\n", SDL_GetError());
        return 1;
    }
    std::atexit(SDL_Quit);
    int first = 1;
    bool musicOff = argc > 1 && std::strcmp(argv[1], "--off") == 0;
    if (musicOff)
        ++first;
    Uint32 startMs = SDL_GetTicks();
    // As the game starts its music: the tracks, the "music" setting, then the menu music.
    openMusic();
    musicPlayer.switchMusic(!musicOff);
    musicPlayer.startMenuMusic();
    for (int i = first; i < argc; ++i) {
        std::printf("%u %s\n", SDL_GetTicks() - startMs, argv[i]);
        if (!runStep(argv[i])) {
            std::fprintf(stderr, "music-probe: unknown step %s\n", argv[i]);
            return 2;
        }
    }
    return 0;
}
