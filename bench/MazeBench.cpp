// Maze generation at the largest size a board may have, 1025 x 1023 cells, for each
// algorithm: the random maze menu and tirva-tool maze must stay well under a second there.

#include "game/Board.h"
#include "game/MazeGeneration.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr std::int32_t WIDTH = 1025;
constexpr std::int32_t HEIGHT = 1023;

void generateLargeMaze(benchmark::State& state) {
    int algorithm = static_cast<int>(state.range(0));
    state.SetLabel(listMazeAlgorithms()[std::size_t(algorithm)].name);
    Board board;
    for (auto _ : state) {
        std::srand(1);
        generateMaze(board, WIDTH, HEIGHT, algorithm, std::rand);
        benchmark::DoNotOptimize(board.walls.get());
    }
}
BENCHMARK(generateLargeMaze)
    ->DenseRange(0, static_cast<int>(listMazeAlgorithms().size()) - 1)
    ->Unit(benchmark::kMillisecond);

} // namespace
