// The best-times table at two sizes: a player's file of a few hundred boards and a 60 MiB
// one (about 1.5 million boards, near the 64 MiB the loader reads): loading it at start-up,
// the memory the table keeps, and the save that follows a new best time, with its peak.
// Memory figures are the process's resident size in MB, measured around the step alone.

#include "base/FreeMemory.h"
#include "game/BestTimes.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr std::int64_t SMALL_FILE_BYTES = 16 * 1024;
constexpr std::int64_t LARGE_FILE_BYTES = 60 * 1024 * 1024;
constexpr double MEGABYTE = 1e6;

void appendInt32(std::string& out, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xff));
}

// Entries as the game writes them, in key order, each board with two times, up to bytes.
std::string makeTimesFile(std::int64_t bytes) {
    std::string out;
    char key[64];
    for (int i = 0; static_cast<std::int64_t>(out.size()) < bytes; ++i) {
        int length = std::snprintf(key, sizeof key, "levs/pack%03d/board%07d.lv", i / 10000, i);
        appendInt32(out, length);
        out.append(key, static_cast<std::size_t>(length));
        appendInt32(out, 10000 + i % 5000);
        appendInt32(out, 20000 + i % 5000);
        appendInt32(out, BestTimes::EMPTY_SLOT);
    }
    return out;
}

std::string preparePath(std::int64_t bytes) {
    std::string path = (std::filesystem::temp_directory_path() /
                        ("tirva-bench-times-" + std::to_string(bytes) + ".dat"))
                           .string();
    std::ofstream(path, std::ios::binary) << makeTimesFile(bytes);
    return path;
}

// A line of /proc/self/status in kB.
long readStatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0)
            return std::stol(line.substr(length + 1));
    return 0;
}

// Resident memory after giving back what was freed, in MB.
double measureResidentMb() {
    returnFreedMemory();
    return static_cast<double>(readStatusKb("VmRSS")) * 1024.0 / MEGABYTE;
}

// Starts the peak resident size afresh at the current size.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double readPeakMb() {
    return static_cast<double>(readStatusKb("VmHWM")) * 1024.0 / MEGABYTE;
}

void loadBestTimes(benchmark::State& state) {
    keepLargeBlocksApart();
    const std::string path = preparePath(state.range(0));
    double keptMb = 0.0;
    double peakMb = 0.0;
    for (auto _ : state) {
        const double before = measureResidentMb();
        resetPeak();
        BestTimes table;
        table.load(path);
        peakMb = readPeakMb() - before;
        state.PauseTiming();
        keptMb = measureResidentMb() - before;
        state.ResumeTiming();
    }
    state.counters["file_MB"] = static_cast<double>(state.range(0)) / MEGABYTE;
    state.counters["kept_MB"] = keptMb;
    state.counters["peak_MB"] = peakMb;
    std::remove(path.c_str());
}
BENCHMARK(loadBestTimes)
    ->Arg(SMALL_FILE_BYTES)
    ->Arg(LARGE_FILE_BYTES)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// A new best time on a board the file already holds, then the save, which reads the file,
// enters the time, writes a temporary file, flushes it to disk and renames it.
void saveBestTimes(benchmark::State& state) {
    keepLargeBlocksApart();
    const std::string path = preparePath(state.range(0));
    BestTimes table;
    table.load(path);
    BestTimes::Times& times = table.entry("levs/pack000/board0000005.lv");
    std::int32_t timeMs = 9000;
    double peakMb = 0.0;
    for (auto _ : state) {
        const double before = measureResidentMb();
        resetPeak();
        BestTimes::enter(times, --timeMs);
        table.save(path);
        peakMb = readPeakMb() - before;
    }
    state.counters["file_MB"] = static_cast<double>(state.range(0)) / MEGABYTE;
    state.counters["peak_MB"] = peakMb;
    std::remove(path.c_str());
}
BENCHMARK(saveBestTimes)
    ->Arg(SMALL_FILE_BYTES)
    ->Arg(LARGE_FILE_BYTES)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// The same save when another copy of the game saved in between: the file is read, parsed and
// merged rather than recognised as this copy's own.
void saveBestTimesAfterAnotherCopy(benchmark::State& state) {
    keepLargeBlocksApart();
    const std::string path = preparePath(state.range(0));
    BestTimes table;
    table.load(path);
    BestTimes other;
    other.load(path);
    BestTimes::Times& times = table.entry("levs/pack000/board0000005.lv");
    BestTimes::Times& otherTimes = other.entry("levs/pack000/board0000006.lv");
    std::int32_t timeMs = 9000;
    double peakMb = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        BestTimes::enter(otherTimes, --timeMs);
        other.save(path);
        const double before = measureResidentMb();
        resetPeak();
        state.ResumeTiming();
        BestTimes::enter(times, timeMs);
        table.save(path);
        peakMb = readPeakMb() - before;
    }
    state.counters["file_MB"] = static_cast<double>(state.range(0)) / MEGABYTE;
    state.counters["peak_MB"] = peakMb;
    std::remove(path.c_str());
}
BENCHMARK(saveBestTimesAfterAnotherCopy)
    ->Arg(SMALL_FILE_BYTES)
    ->Arg(LARGE_FILE_BYTES)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace
