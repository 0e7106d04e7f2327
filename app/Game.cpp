#include "app/Game.h"

#include "app/Display.h"
#include "app/Settings.h"

#include <SDL.h>
#include <GL/gl.h>

#include <cstdlib>

Game game;

void Game::init(int, char**) {
    settings = new Settings("tirva.cfg");
    StartupSettings startup = readStartupSettings(*settings);
    setUpDisplay(startup);
    useMenuState();
}

namespace {

void drawEmptyFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
}

} // namespace

void Game::run() {
    // Blocks in the event wait between redraws, so an idle window costs no processor time.
    for (;;) {
        drawEmptyFrame();
        SDL_Event event;
        if (!SDL_WaitEvent(&event))
            continue;
        do {
            if (event.type == SDL_QUIT)
                std::exit(0);
            if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)
                return;
            if (event.type == SDL_VIDEORESIZE)
                reopenDisplay(event.resize.w, event.resize.h, false);
        } while (SDL_PollEvent(&event));
    }
}
