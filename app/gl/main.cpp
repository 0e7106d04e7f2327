// Entry point: brings up SDL with no subsystems (the display set-up starts the ones it
// needs), seeds the random generator the textures and mazes draw from, then runs the game.

#include "app/gl/Game.h"
#include "base/FreeMemory.h"

#include <SDL.h>

#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
    keepLargeBlocksApart();
    SDL_Init(0);
    std::atexit(SDL_Quit);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    game.init(argc, argv);
    game.run();
    return 0;
}
