// Start-up costs of the generated textures: the menu background for its slowest and fastest
// constant, and the two board images.

#include "render/JuliaBackground.h"
#include "render/Textures.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int SLOWEST_CONSTANT = 2;  // -0.726 + 0.188i: the most iterations of the eighteen
constexpr int FASTEST_CONSTANT = 11; // -0.095 + 0.95i: the fewest

void backgroundImage(benchmark::State& state) {
    JuliaConstant c = JULIA_CONSTANTS[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(generateBackgroundImage(c));
}
BENCHMARK(backgroundImage)
    ->Arg(SLOWEST_CONSTANT)
    ->Arg(FASTEST_CONSTANT)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void backgroundOnOneCorePortably(benchmark::State& state) {
    JuliaConstant c = JULIA_CONSTANTS[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(countEscapes(c, 1, EscapeKernel::Portable));
}
BENCHMARK(backgroundOnOneCorePortably)
    ->Arg(SLOWEST_CONSTANT)
    ->Arg(FASTEST_CONSTANT)
    ->Unit(benchmark::kMillisecond);

void boardImages(benchmark::State& state) {
    std::srand(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(generateBoardImages([] { return std::rand(); }));
}
BENCHMARK(boardImages)->Unit(benchmark::kMillisecond);

} // namespace
