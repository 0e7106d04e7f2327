// Frame time, start time and memory of play on generated mazes of growing size, in both views,
// at 1024 x 768, drawn as the play loop draws them (scene, then swap) with the renderer the
// display offers (Mesa's software renderer in the tests). The play loop paces frames at 10 ms,
// so a frame must take less than that to hold 100 frames per second.
//
//   maze_frame_rate                  the table: prim mazes of 10, 100, 300 and 1000 cells a side
//   maze_frame_rate --start W H      generation, compiling and the first frame of a W x H maze
//                                    for every generator in both views (the menu's size rule)
//
// Every figure is printed beside its reference from the same run: the frame time of an empty
// frame (clear and swap only), and the resident memory before the board, as in the menu.

#include "app/gl/Display.h"
#include "base/FreeMemory.h"
#include "game/Ball.h"
#include "game/Board.h"
#include "game/MazeGeneration.h"
#include "render/gl/GlState.h"
#include "render/gl/MenuBackground.h"
#include "render/gl/MeshLists.h"
#include "render/gl/Renderer.h"

#include <SDL.h>
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int SCREEN_WIDTH = 1024;
constexpr int SCREEN_HEIGHT = 768;
constexpr int FRAMES = 300;
constexpr int WARM_UP_FRAMES = 20; // the software renderer compiles its shaders on first use
constexpr int SIZES[] = {10, 100, 300, 1000};
// The frame-rate table's mazes.
const int PRIM = findMazeAlgorithm("prim").value_or(0);

// The goals, in milliseconds and megabytes.
constexpr double FRAME_GOAL_MS = 10.0;
constexpr double WHOLE_FRAME_GOAL_300_MS = 20.0;
constexpr double START_GOAL_300_MS = 1000.0;
constexpr double START_GOAL_1000_MS = 3000.0;
constexpr double PEAK_GOAL_1000_MB = 400.0;
constexpr double MEMORY_BACK_SHARE = 1.2; // after leaving, of the memory before the board

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A field of /proc/self/status in megabytes: VmRSS now, VmHWM the peak.
double readStatusMb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, std::strlen(field), field) == 0)
            return std::atof(line.c_str() + std::strlen(field) + 1) / 1024.0;
    return 0.0;
}

// The peak starts again from the present resident memory.
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void showFrame(Renderer& renderer) {
    renderer.drawFrame();
    SDL_GL_SwapBuffers();
    glFinish();
}

// What the game draws between boards: the menu background. The software renderer lets go of
// the last board's textures only once something else is drawn.
void showMenuFrame() {
    useMenuState();
    drawMenuBackground(menuBackground);
    SDL_GL_SwapBuffers();
    glFinish();
    useSceneState();
}

struct Measure {
    double startMs; // compiling and the first frame
    double medianMs;
    double slowMs;    // 95th percentile
    double processMs; // processor time per frame
    double peakMb;
    double beforeMb; // resident before the board
    double afterMb;  // resident after leaving it
};

// A gentle tilt that changes every frame, as a player's would, and the ball rolling round the
// middle of the board at ten cells a second, so that in the follow view new tiles come into
// view while the board still fills the screen.
void moveBall(Ball& ball, const Board& board, int frame) {
    constexpr float SPEED = 0.1f;        // cells a frame
    constexpr float MOST_RADIUS = 15.0f; // cells
    ball.tiltX = static_cast<float>((frame % 120) - 60);
    ball.tiltY = static_cast<float>(60 - (frame % 120));
    const float radius = std::min(0.35f * std::min(board.width, board.height), MOST_RADIUS);
    const float angle = SPEED * frame / radius;
    ball.x = board.width / 2.0f + radius * std::cos(angle);
    ball.y = board.height / 2.0f + radius * std::sin(angle);
}

// Processor time of the whole process, the software renderer's threads included: unlike the
// wall clock, it hardly changes with the load other programs put on the machine.
double processMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct FrameTimes {
    std::vector<double> sortedMs; // wall clock, warm-up frames left out
    double processMsPerFrame;
};

FrameTimes timeFrames(Renderer& renderer, Ball& ball, const Board& board) {
    std::vector<double> frameMs;
    double processStart = 0;
    for (int frame = 0; frame < FRAMES; ++frame) {
        if (frame == WARM_UP_FRAMES)
            processStart = processMilliseconds();
        moveBall(ball, board, frame);
        auto start = Clock::now();
        showFrame(renderer);
        frameMs.push_back(millisecondsSince(start));
    }
    const double processMs = (processMilliseconds() - processStart) / (FRAMES - WARM_UP_FRAMES);
    frameMs.erase(frameMs.begin(), frameMs.begin() + WARM_UP_FRAMES);
    std::sort(frameMs.begin(), frameMs.end());
    return {frameMs, processMs};
}

// Leaving gives the board's lists back and frees the board, as the play host does.
Measure measurePlay(Renderer& renderer, int side, bool wholeBoard) {
    Measure measure{};
    showMenuFrame();
    returnFreedMemory();
    resetPeakMemory();
    measure.beforeMb = readStatusMb("VmRSS:");
    {
        std::srand(1);
        Board board;
        generateMaze(board, side, side, PRIM, std::rand);
        Ball ball([] { return 0; });
        ball.begin(board);
        moveBall(ball, board, 0);
        renderer.topview = wholeBoard;
        auto start = Clock::now();
        renderer.compileBoard(board, ball);
        showFrame(renderer);
        measure.startMs = millisecondsSince(start);
        FrameTimes times = timeFrames(renderer, ball, board);
        measure.medianMs = times.sortedMs[times.sortedMs.size() / 2];
        measure.slowMs = times.sortedMs[times.sortedMs.size() * 95 / 100];
        measure.processMs = times.processMsPerFrame;
        measure.peakMb = readStatusMb("VmHWM:");
        renderer.releaseBoard();
    }
    showMenuFrame();
    returnFreedMemory();
    measure.afterMb = readStatusMb("VmRSS:");
    return measure;
}

double frameGoalMs(int side, bool wholeBoard) {
    if (!wholeBoard || side == 100)
        return FRAME_GOAL_MS;
    return side == 300 ? WHOLE_FRAME_GOAL_300_MS : 0.0; // 0: no goal
}

// True when every goal of the row is met.
bool printRow(int side, bool wholeBoard, const Measure& m) {
    double frameGoal = frameGoalMs(side, wholeBoard);
    double startGoal = side == 300 ? START_GOAL_300_MS : side == 1000 ? START_GOAL_1000_MS : 0;
    bool met = (frameGoal == 0 || m.medianMs <= frameGoal) &&
               (startGoal == 0 || m.startMs <= startGoal) &&
               (side != 1000 || m.peakMb <= PEAK_GOAL_1000_MB) &&
               m.afterMb <= MEMORY_BACK_SHARE * m.beforeMb;
    std::printf("| %4d x %-4d | %-6s | %6.2f ms | %6.2f ms | %6.2f ms | %6.0f ms | %4.0f MB | "
                "%4.0f MB | %4.0f MB | %s |\n",
                side, side, wholeBoard ? "whole" : "follow", m.medianMs, m.slowMs, m.processMs,
                m.startMs, m.peakMb, m.beforeMb, m.afterMb, met ? "met" : "missed");
    return met;
}

// The renderer's cost with nothing to draw: clearing and swapping 1024 x 768.
double measureEmptyFrame(Renderer& renderer) {
    std::vector<double> frameMs;
    for (int frame = 0; frame < FRAMES; ++frame) {
        auto start = Clock::now();
        showFrame(renderer);
        frameMs.push_back(millisecondsSince(start));
    }
    std::sort(frameMs.begin(), frameMs.end());
    return frameMs[frameMs.size() / 2];
}

// The software renderer compiles code for each new kind of drawing and keeps it: the first
// board of a run, whatever its size, leaves that behind. These boards draw every kind once,
// so "before" is the memory of a game that has played a board.
void warmUp(Renderer& renderer) {
    for (int side : {10, 300})
        for (bool wholeBoard : {false, true}) {
            Board board;
            generateMaze(board, side, side, PRIM, std::rand);
            Ball ball([] { return 0; });
            ball.begin(board);
            renderer.topview = wholeBoard;
            renderer.compileBoard(board, ball);
            for (int frame = 0; frame < WARM_UP_FRAMES; ++frame) {
                moveBall(ball, board, frame);
                showFrame(renderer);
            }
            renderer.releaseBoard();
        }
}

int printTable(Renderer& renderer) {
    warmUp(renderer);
    showMenuFrame();
    returnFreedMemory();
    std::printf("reference: an empty frame (clear and swap) takes %.2f ms; resident memory "
                "after a first board %.0f MB. Goals: a frame within 10 ms (whole board at 300: "
                "20 ms), the start within 1 s at 300 and 3 s at 1000, a peak under 400 MB at "
                "1000, memory back within 20%% after leaving\n\n",
                measureEmptyFrame(renderer), readStatusMb("VmRSS:"));
    std::printf("| maze | view | median frame | 95th pct | processor per frame | compile + 1st "
                "frame | peak | before | after leaving | goals |\n"
                "|---|---|---|---|---|---|---|---|---|---|\n");
    bool allMet = true;
    for (int side : SIZES)
        for (bool wholeBoard : {false, true})
            allMet &= printRow(side, wholeBoard, measurePlay(renderer, side, wholeBoard));
    std::fflush(stdout);
    return allMet ? 0 : 1;
}

// Generation, compiling and the first frame, as "start" in the random maze menu does them.
int printStartTimes(Renderer& renderer, int width, int height) {
    double slowestMs = 0;
    const std::vector<MazeAlgorithm>& algorithms = listMazeAlgorithms();
    for (std::size_t algorithm = 0; algorithm < algorithms.size(); ++algorithm)
        for (bool wholeBoard : {false, true}) {
            auto start = Clock::now();
            Board board;
            generateMaze(board, width, height, static_cast<int>(algorithm), std::rand);
            Ball ball([] { return 0; });
            ball.begin(board);
            renderer.topview = wholeBoard;
            renderer.compileBoard(board, ball);
            showFrame(renderer);
            double ms = millisecondsSince(start);
            slowestMs = std::max(slowestMs, ms);
            std::printf("%dx%d %-8s %-6s: %.0f ms\n", width, height, algorithms[algorithm].name,
                        wholeBoard ? "whole" : "follow", ms);
            renderer.releaseBoard();
        }
    std::printf("slowest: %.0f ms\n", slowestMs);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    keepLargeBlocksApart();
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    openDisplay(SCREEN_WIDTH, SCREEN_HEIGHT, false);
    useFixedState();
    compileMeshLists();
    std::srand(1);
    Renderer renderer;
    generateMenuBackground(menuBackground);
    useSceneState();
    int status = 0;
    if (argc == 4 && std::strcmp(argv[1], "--start") == 0)
        status = printStartTimes(renderer, std::atoi(argv[2]), std::atoi(argv[3]));
    else
        status = printTable(renderer);
    SDL_Quit();
    return status;
}
