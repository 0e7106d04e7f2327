// Entry point: brings up SDL with no subsystems (the display set-up starts the ones it
// needs), seeds the random generator the textures and mazes draw from, then runs the game.

#include "app/gl/Game.h"
#include "base/FreeMemory.h"
#include "base/Version.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

// Answers --help or --version as the first argument and says so. They are answered before
// SDL starts, so they work without a display; every other argument is ignored as always.
bool answerOption(int argc, char** argv) {
    if (argc < 2)
        return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("tirva %s\n", TIRVA_VERSION);
        return true;
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        std::printf("usage: tirva [--help | --version]\n\n"
                    "Tirva, a 3D tilting-labyrinth game. Without an option it opens its window\n"
                    "and reads and writes its files in the working directory; the installed\n"
                    "launcher starts it in $XDG_DATA_HOME/tirva. Keys and files: man 6 tirva.\n\n"
                    "  --help     print this help and exit\n"
                    "  --version  print the version and exit\n");
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (answerOption(argc, argv))
        return 0;
    keepLargeBlocksApart();
    SDL_Init(0);
    std::atexit(SDL_Quit);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    game.init(argc, argv);
    game.run();
    return 0;
}
