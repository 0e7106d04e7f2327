// The gameplay core's costs: loading a large board, one physics step among many walls (the
// play loop runs one per 10 ms frame), and entering a new best time with the save that
// follows it at once.

#include "game/Ball.h"
#include "game/BestTimes.h"
#include "game/Board.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {

// A board file of rows x columns cells with random walls (diagonals included) and kinds.
std::string makeBoardText(int rows, int columns, std::uint32_t seed) {
    std::mt19937 random(seed);
    const char hex[] = "0123456789abcdef";
    std::string text = std::to_string(rows) + " " + std::to_string(columns) + "\n";
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            text += hex[random() % 16];
        text += '\n';
    }
    text += '\n';
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            text += r == 0 && c == 0 ? '1' : "00000000234"[random() % 11];
        text += '\n';
    }
    return text + "\n60000\n";
}

void parseLargeBoard(benchmark::State& state) {
    std::string text = makeBoardText(200, 300, 1);
    Board board;
    for (auto _ : state) {
        bool refused = board.parse(text).has_value();
        benchmark::DoNotOptimize(refused);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(parseLargeBoard)->Unit(benchmark::kMicrosecond);

void loadLargeBoardFile(benchmark::State& state) {
    std::string path = (std::filesystem::temp_directory_path() / "tirva-bench-board").string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::string text = makeBoardText(200, 300, 1);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    Board board;
    for (auto _ : state) {
        board.load(path);
        benchmark::DoNotOptimize(board.walls.get());
    }
    std::remove(path.c_str());
}
BENCHMARK(loadLargeBoardFile)->Unit(benchmark::kMicrosecond);

// A ball rolling about a dense random maze under a slowly turning tilt.
void stepInDenseMaze(benchmark::State& state) {
    Board board;
    board.parse(makeBoardText(40, 40, 2));
    std::int32_t nowMs = 0;
    Ball ball([&nowMs] { return nowMs; });
    ball.begin(board);
    float angle = 0.0f;
    for (auto _ : state) {
        angle += 0.01f;
        ball.tiltX = 600.0f * std::cos(angle);
        ball.tiltY = 600.0f * std::sin(angle);
        nowMs += 10;
        if (ball.step(10) != StepResult::Rolling)
            ball.reset();
    }
}
BENCHMARK(stepInDenseMaze);

// The worst case: every wall bit set around the ball, so all 22 contact rules apply.
void stepAmongAllWalls(benchmark::State& state) {
    Board board;
    board.parse("3 3\nfff\nfff\nfff\n\n000\n010\n000\n");
    std::int32_t nowMs = 0;
    Ball ball([&nowMs] { return nowMs; });
    ball.begin(board);
    for (auto _ : state) {
        ball.x = 1.5f;
        ball.y = 1.45f;
        ball.vx = 0.001f;
        ball.vy = 0.002f;
        ball.step(10);
        benchmark::DoNotOptimize(ball.x);
    }
}
BENCHMARK(stepAmongAllWalls);

BestTimes makeTable(int boards) {
    BestTimes table;
    for (int i = 0; i < boards; ++i) {
        BestTimes::Times& times =
            table.entry("levs/pack" + std::to_string(i % 7) + "/board" + std::to_string(i));
        for (int k = 0; k < 4; ++k)
            BestTimes::enter(times, 10000 + 1000 * k + i);
    }
    return table;
}

void enterTimeAndSerialize(benchmark::State& state) {
    BestTimes table = makeTable(500);
    BestTimes::Times& times = table.entry("levs/pack3/board250");
    for (auto _ : state) {
        BestTimes::enter(times, 5000);
        std::string bytes = table.serialize();
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(enterTimeAndSerialize)->Unit(benchmark::kMicrosecond);

// The save writes a temporary file, flushes it to disk and renames it: the flush dominates.
void enterTimeAndSave(benchmark::State& state) {
    BestTimes table = makeTable(500);
    BestTimes::Times& times = table.entry("levs/pack3/board250");
    std::string path = (std::filesystem::temp_directory_path() / "tirva-bench-times.dat").string();
    for (auto _ : state) {
        BestTimes::enter(times, 5000);
        table.save(path);
    }
    std::remove(path.c_str());
}
BENCHMARK(enterTimeAndSave)->Unit(benchmark::kMicrosecond);

} // namespace
