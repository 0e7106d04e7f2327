// What the sound effects cost the frame loop: a frame of play (a physics step, the step's
// sounds, the scene drawn and shown) on a shipped board at the game's 640 x 480, with the game
// music playing, once with the effects silent and once with as many playing as a busy board
// makes: a knock every 40 ms, the clock's tick every second and the long chimes over them.
// SDL_mixer mixes on SDL's audio thread; the frame pays for the play calls and for sharing the
// machine with that thread. Also the cost of one play call.
//
//   sound_frame_time [GOOGLE BENCHMARK OPTIONS]
//
// It runs in data/ (the music and the effects are the shipped ones) on SDL's dummy audio
// driver unless SDL_AUDIODRIVER names another, and needs a display.

#include "app/gl/Display.h"
#include "app/gl/GameMusic.h"
#include "app/gl/GameSounds.h"
#include "game/Ball.h"
#include "game/Board.h"
#include "render/gl/GlState.h"
#include "render/gl/MeshLists.h"
#include "render/gl/Renderer.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
constexpr const char* BOARD = "levs/14 labyrinth.lv";
constexpr std::int32_t CHIME_EVERY_MS = 700; // a goal's or a best time's chime, in turn
constexpr std::int32_t TICK_EVERY_MS = 1000;

struct Scene {
    Renderer renderer;
    Board board;
    std::unique_ptr<Ball> ball;
};

Scene* scene = nullptr;

std::int32_t readTicks() {
    return static_cast<std::int32_t>(SDL_GetTicks());
}

// The board tilted round and round, so the ball rolls about and strikes walls as in play.
void stepBall(Ball& ball, long frame) {
    ball.tiltX = static_cast<float>((frame * 7) % 1200 - 600);
    ball.tiltY = static_cast<float>(600 - (frame * 3) % 1200);
    const StepReport report = ball.advance(10);
    if (report.result != StepResult::Rolling)
        ball.reset();
    playSounds.followStep(report, ball);
}

// Keeps the channels as busy as a busy board does; the knocks' own spacing holds them to one
// per 40 ms.
void makeNoise(Ball& ball, std::int32_t& lastChime, std::int32_t& lastTick, bool& best) {
    StepReport strike;
    strike.strikeSpeed = 6.0f;
    playSounds.followStep(strike, ball);
    const std::int32_t now = readTicks();
    if (now - lastChime >= CHIME_EVERY_MS) {
        playSounds.followCompletion(best);
        best = !best;
        lastChime = now;
    }
    if (now - lastTick >= TICK_EVERY_MS) {
        soundPlayer.play(SoundEffect::ClockTick);
        lastTick = now;
    }
}

// Processor milliseconds of the process's threads other than the main one and the software
// renderer's ("llvmpipe-N"): SDL's audio thread, which decodes the music and mixes the effects.
// The scheduler's own count, in nanoseconds.
double readAudioThreadMs() {
    double total = 0.0;
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr)
        return 0.0;
    const std::string self = std::to_string(getpid());
    while (dirent* task = readdir(tasks)) {
        const std::string id = task->d_name;
        const std::string path = "/proc/self/task/" + id;
        std::string name;
        std::getline(std::ifstream(path + "/comm"), name);
        if (id == "." || id == ".." || id == self || name.rfind("llvmpipe", 0) == 0)
            continue;
        double runNs = 0.0;
        if (std::ifstream(path + "/schedstat") >> runNs)
            total += runNs / 1e6;
    }
    closedir(tasks);
    return total;
}

void showFrame() {
    scene->renderer.drawFrame();
    SDL_GL_SwapBuffers();
    glFinish();
}

// Argument 0: the effects silent; 1: the channels kept busy. The music plays in both.
// Separate runs: each figure is good to a few per cent only on a quiet machine.
void playFrame(benchmark::State& state) {
    const bool effects = state.range(0) != 0;
    // Every run draws the same frames from the start cell, so only the sounds differ.
    Ball& ball = *scene->ball;
    ball.begin(scene->board);
    std::int32_t lastChime = readTicks(), lastTick = readTicks();
    bool best = false;
    long frame = 0;
    soundPlayer.switchSound(effects);
    const double audioStartMs = readAudioThreadMs();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        stepBall(ball, ++frame);
        if (effects)
            makeNoise(ball, lastChime, lastTick, best);
        showFrame();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["playing"] = Mix_Playing(-1);
    state.counters["audio_ms_per_s"] = (readAudioThreadMs() - audioStartMs) / seconds;
    Mix_HaltChannel(-1);
}
// The processor time is the whole process's: the software renderer's threads and the audio
// thread's mixing included, so it shows the effects' cost wherever it is paid, and hardly
// changes with the load other programs put on the machine, unlike the wall clock.
BENCHMARK(playFrame)->Arg(0)->Arg(1)->MeasureProcessCPUTime()->UseRealTime()->Unit(
    benchmark::kMillisecond);

// Silent and busy frames in turn, the same PHASE_FRAMES frames both ways, which way first in
// turn: both halves of each pair meet the same load from the rest of the machine, so their
// ratio holds where separate runs scatter. The effects' channels are paused, not stopped,
// through the silent halves, so the busy ones go on with as many playing.
void alternateFrames(benchmark::State& state) {
    constexpr int PHASE_FRAMES = 40;
    Ball& ball = *scene->ball;
    ball.begin(scene->board);
    std::int32_t lastChime = readTicks(), lastTick = readTicks();
    bool best = false;
    long frame = 0, pair = 0;
    double totalMs[2] = {0.0, 0.0}; // silent, busy
    long playing = 0;               // effects playing at the ends of the busy halves
    for (auto _ : state) {
        const Ball saved = ball;
        const long firstFrame = frame;
        for (int half = 0; half < 2; ++half) {
            const bool busy = (half == 0) == (pair % 2 == 0);
            ball = saved;
            frame = firstFrame;
            soundPlayer.switchSound(busy);
            if (busy)
                Mix_Resume(-1);
            else
                Mix_Pause(-1);
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < PHASE_FRAMES; ++i) {
                stepBall(ball, ++frame);
                if (busy)
                    makeNoise(ball, lastChime, lastTick, best);
                showFrame();
            }
            if (busy)
                playing += Mix_Playing(-1);
            totalMs[busy] +=
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
        }
        ++pair;
    }
    const double frames = static_cast<double>(pair) * PHASE_FRAMES;
    state.counters["silent_ms"] = totalMs[0] / frames;
    state.counters["busy_ms"] = totalMs[1] / frames;
    state.counters["busy_vs_silent_pct"] = (totalMs[1] / totalMs[0] - 1.0) * 100.0;
    state.counters["playing"] = static_cast<double>(playing) / static_cast<double>(pair);
    Mix_HaltChannel(-1);
    Mix_Resume(-1);
}
BENCHMARK(alternateFrames)->UseRealTime()->Unit(benchmark::kMillisecond);

// One play call: the audio lock, a free channel and its volume. The channels are freed every
// sixteen calls, so each call finds one.
void playCall(benchmark::State& state) {
    soundPlayer.switchSound(true);
    long calls = 0;
    for (auto _ : state) {
        soundPlayer.play(SoundEffect::Knock1, 0.5f);
        if (++calls % 16 == 0)
            Mix_HaltChannel(-1);
    }
    Mix_HaltChannel(-1);
}
BENCHMARK(playCall)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The game's start-up as far as play needs it: display, drawing state, music and effects.
bool setUp() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (chdir(TIRVA_DATA_DIR) != 0 || SDL_Init(SDL_INIT_VIDEO) != 0)
        return false;
    openDisplay(SCREEN_WIDTH, SCREEN_HEIGHT, false);
    useFixedState();
    compileMeshLists();
    openMusic();
    openSounds();
    if (!soundPlayer.isLoaded())
        return false;
    musicPlayer.startGameMusic();
    scene = new Scene;
    scene->board.load(BOARD);
    if (!scene->board.hasGrids())
        return false;
    scene->ball = std::make_unique<Ball>(readTicks);
    scene->ball->begin(scene->board);
    scene->renderer.compileBoard(scene->board, *scene->ball);
    useSceneState();
    // The software renderer compiles its shaders on the first frames.
    for (int frame = 0; frame < 20; ++frame)
        showFrame();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!setUp()) {
        std::fprintf(stderr, "sound_frame_time: no display, board, music or effects\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
