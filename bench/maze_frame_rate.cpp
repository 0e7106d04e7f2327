// Frame time of play on a large generated maze: a 100 x 100 "prim" maze in the whole-board
// view at 1024 x 768, drawn as the play loop draws it (scene, then swap) with the renderer
// the display offers (Mesa's software renderer in the tests). The play loop paces frames at
// 10 ms, so a frame must take less than that to hold 100 frames per second.

#include "app/gl/Display.h"
#include "game/Ball.h"
#include "game/Board.h"
#include "menus/MazeGeneration.h"
#include "render/gl/GlState.h"
#include "render/gl/MeshLists.h"
#include "render/gl/Renderer.h"

#include <SDL.h>
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int MAZE_SIZE = 100;
constexpr int FRAMES = 300;

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int, char**) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    openDisplay(1024, 768, false);
    useFixedState();
    compileMeshLists();
    std::srand(1);
    Renderer renderer;
    renderer.topview = true;
    Board board;
    generateMaze(board, MAZE_SIZE, MAZE_SIZE, 0, std::rand);
    std::int32_t tick = 0;
    Ball ball([&tick] { return tick; });
    ball.begin(board);
    renderer.compileBoard(board, ball);
    useSceneState();

    std::vector<double> frameMs;
    for (int frame = 0; frame < FRAMES; ++frame) {
        // A gentle tilt that changes every frame, as a player's would.
        ball.tiltX = static_cast<float>((frame % 120) - 60);
        ball.tiltY = static_cast<float>(60 - (frame % 120));
        auto start = std::chrono::steady_clock::now();
        renderer.drawFrame();
        SDL_GL_SwapBuffers();
        glFinish();
        frameMs.push_back(millisecondsSince(start));
    }
    // The first frames pay for the software renderer's shader compilation.
    frameMs.erase(frameMs.begin(), frameMs.begin() + 20);
    std::sort(frameMs.begin(), frameMs.end());
    double median = frameMs[frameMs.size() / 2];
    double slowest = frameMs[frameMs.size() * 95 / 100];
    std::printf("%dx%d maze, whole-board view, 1024x768: median frame %.2f ms, 95th percentile "
                "%.2f ms (%.0f frames per second possible; the play loop paces at 100)\n",
                MAZE_SIZE, MAZE_SIZE, median, slowest, 1000.0 / median);
    SDL_Quit();
    return median <= 10.0 ? 0 : 1;
}
