// Maze generation at 2000 x 2000 cells, far above what the menu allows, for each algorithm:
// tirva-tool maze must stay well under two seconds there.

#include "game/Board.h"
#include "menus/MazeGeneration.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr std::int32_t SIDE = 2000;

void generateLargeMaze(benchmark::State& state) {
    int algorithm = static_cast<int>(state.range(0));
    state.SetLabel(MAZE_ALGORITHM_NAMES[algorithm]);
    Board board;
    for (auto _ : state) {
        std::srand(1);
        generateMaze(board, SIDE, SIDE, algorithm, std::rand);
        benchmark::DoNotOptimize(board.walls.get());
    }
}
BENCHMARK(generateLargeMaze)
    ->DenseRange(0, MAZE_ALGORITHM_COUNT - 1)
    ->Unit(benchmark::kMillisecond);

} // namespace
