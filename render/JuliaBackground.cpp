#include "render/JuliaBackground.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <thread>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr float PALETTE_AMPLITUDE = 63.9f; // used at single precision, as the colours were tuned
constexpr float ROW_START = -1.2f;
constexpr float ROW_STEP = 0.0046875f;
constexpr float COLUMN_START = -1.3333334f;
constexpr float COLUMN_STEP = 0.0052083335f;
constexpr int MAX_THREADS = 16;

// Registers of lanes iterated side by side, so the processor always has independent
// multiplications to overlap with the latency of each pixel's own chain.
constexpr int LANE_GROUPS = 4;
// Steps between checks for finished lanes: a finished lane idles until the check.
constexpr int STEPS_PER_CHECK = 8;

typedef double DoublePair __attribute__((vector_size(2 * sizeof(double))));
typedef long long MaskPair __attribute__((vector_size(2 * sizeof(long long))));
typedef double DoubleQuad __attribute__((vector_size(4 * sizeof(double))));
typedef long long MaskQuad __attribute__((vector_size(4 * sizeof(long long))));

// The rows one thread computes (every rowStride-th row from firstRow) and where it writes.
struct RowShare {
    JuliaConstant c;
    const float* columns;
    const float* rows;
    int firstRow;
    int rowStride;
    std::uint16_t* counts;
};

// One escape count by the definition, from a point already n steps on: used for the pixels
// the lanes leave over.
int finishEscape(double zr, double zi, int n, JuliaConstant c) {
    while (n < ESCAPE_LIMIT && zr * zr + zi * zi < 4.0) {
        ++n;
        double nextRe = zr * zr - zi * zi + c.re;
        zi = 2 * zr * zi + c.im;
        zr = nextRe;
    }
    return std::min(n, ESCAPE_LIMIT);
}

int pixelCountOf(const RowShare& share) {
    int rowCount = (BACKGROUND_SIZE - share.firstRow + share.rowStride - 1) / share.rowStride;
    return rowCount * BACKGROUND_SIZE;
}

std::uint16_t& countOf(const RowShare& share, int pixel) {
    int row = share.firstRow + pixel / BACKGROUND_SIZE * share.rowStride;
    return share.counts[row * BACKGROUND_SIZE + pixel % BACKGROUND_SIZE];
}

// The lanes: the orbit point and the step count of each pixel being iterated.
template <typename Vector, typename Mask, int GROUPS> struct Lanes {
    Vector zr[GROUPS];
    Vector zi[GROUPS];
    Mask n[GROUPS];
};

// STEPS_PER_CHECK steps of every lane. A lane whose point has escaped stops counting; its
// point goes on growing (every constant has |c| < 1.05, so once |z|^2 >= 4 it only grows), to
// infinity and NaN, which never compare below 4 again. A lane inside the set may count past
// the limit until the check, which clamps it. The lanes are copied into locals that are only
// indexed by constants, so they stay in registers for the whole run of steps.
template <typename Vector, typename Mask, int GROUPS>
__attribute__((always_inline)) inline void stepLanes(Lanes<Vector, Mask, GROUPS>& lanes,
                                                     const Vector& cr, const Vector& ci) {
    const Vector four = Vector{} + 4.0;
    Vector zr[GROUPS], zi[GROUPS];
    Mask n[GROUPS];
#pragma GCC unroll 4
    for (int g = 0; g < GROUPS; ++g) {
        zr[g] = lanes.zr[g];
        zi[g] = lanes.zi[g];
        n[g] = lanes.n[g];
    }
#pragma GCC unroll 8
    for (int step = 0; step < STEPS_PER_CHECK; ++step)
#pragma GCC unroll 4
        for (int g = 0; g < GROUPS; ++g) {
            Vector zr2 = zr[g] * zr[g];
            Vector zi2 = zi[g] * zi[g];
            n[g] -= zr2 + zi2 < four; // a true comparison is -1
            zi[g] = (zr[g] + zr[g]) * zi[g] + ci;
            zr[g] = zr2 - zi2 + cr;
        }
#pragma GCC unroll 4
    for (int g = 0; g < GROUPS; ++g) {
        lanes.zr[g] = zr[g];
        lanes.zi[g] = zi[g];
        lanes.n[g] = n[g];
    }
}

// One thread's share of the image, iterated in lanes. Each lane walks its own queue of
// pixels: when a lane's pixel has escaped or reached the limit, its count is stored and the
// lane takes the next pixel. The arithmetic is the plain loop's, operation for operation, so
// the counts are identical to it. Vector is a register of doubles the processor has natively
// and Mask the same width of comparison results; GROUPS registers of each make up the lanes.
template <typename Vector, typename Mask, int GROUPS> class LaneRun {
public:
    static constexpr int WIDTH = sizeof(Vector) / sizeof(double);
    static constexpr int LANES = WIDTH * GROUPS;

    __attribute__((always_inline)) explicit LaneRun(const RowShare& share)
        : share_(share), pixelCount_(pixelCountOf(share)) {}

    __attribute__((always_inline)) void run() {
        const Vector cr = Vector{} + static_cast<double>(share_.c.re);
        const Vector ci = Vector{} + static_cast<double>(share_.c.im);
        for (int lane = 0; lane < LANES; ++lane)
            fillLane(lane);
        while (busyLanes_ == LANES) {
            stepLanes(lanes_, cr, ci);
            retireFinishedLanes();
        }
        finishRemainingLanes();
    }

private:
    // Puts the next pixel of the queue into a lane, or marks the lane idle: NaN never runs.
    __attribute__((always_inline)) void fillLane(int lane) {
        int g = lane / WIDTH, i = lane % WIDTH;
        pixelOf_[lane] = nextPixel_ < pixelCount_ ? nextPixel_++ : -1;
        if (pixelOf_[lane] < 0) {
            lanes_.zr[g][i] = lanes_.zi[g][i] = NAN;
            return;
        }
        ++busyLanes_;
        int row = share_.firstRow + pixelOf_[lane] / BACKGROUND_SIZE * share_.rowStride;
        lanes_.zr[g][i] = share_.columns[pixelOf_[lane] % BACKGROUND_SIZE];
        lanes_.zi[g][i] = share_.rows[row];
        lanes_.n[g][i] = 0;
    }

    __attribute__((always_inline)) void retireFinishedLanes() {
        const Vector four = Vector{} + 4.0;
        Mask running[GROUPS];
        Mask allRunning = ~Mask{};
        for (int g = 0; g < GROUPS; ++g) {
            running[g] = lanes_.zr[g] * lanes_.zr[g] + lanes_.zi[g] * lanes_.zi[g] < four;
            running[g] &= lanes_.n[g] < ESCAPE_LIMIT;
            allRunning &= running[g];
        }
        bool anyFinished = false;
        for (int i = 0; i < WIDTH; ++i)
            anyFinished |= allRunning[i] == 0;
        if (!anyFinished)
            return;
        for (int lane = 0; lane < LANES; ++lane) {
            int g = lane / WIDTH, i = lane % WIDTH;
            if (running[g][i])
                continue;
            auto n = std::min<long long>(lanes_.n[g][i], ESCAPE_LIMIT);
            countOf(share_, pixelOf_[lane]) = static_cast<std::uint16_t>(n);
            --busyLanes_;
            fillLane(lane);
        }
    }

    // The queue is empty: the lanes still holding a pixel finish it one at a time.
    __attribute__((always_inline)) void finishRemainingLanes() {
        for (int lane = 0; lane < LANES; ++lane) {
            int g = lane / WIDTH, i = lane % WIDTH;
            if (pixelOf_[lane] < 0)
                continue;
            int n = finishEscape(lanes_.zr[g][i], lanes_.zi[g][i], static_cast<int>(lanes_.n[g][i]),
                                 share_.c);
            countOf(share_, pixelOf_[lane]) = static_cast<std::uint16_t>(n);
        }
    }

    const RowShare& share_;
    const int pixelCount_;
    Lanes<Vector, Mask, GROUPS> lanes_{};
    int pixelOf_[LANES];
    int nextPixel_ = 0;
    int busyLanes_ = 0;
};

void iterateSharePortable(const RowShare& share) {
    LaneRun<DoublePair, MaskPair, LANE_GROUPS>(share).run();
}

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) void iterateShareAvx2(const RowShare& share) {
    LaneRun<DoubleQuad, MaskQuad, LANE_GROUPS>(share).run();
}
#endif

using ShareIterator = void (*)(const RowShare&);

ShareIterator chooseIterator(EscapeKernel kernel) {
#if defined(__x86_64__) || defined(__i386__)
    if (kernel == EscapeKernel::Fastest && __builtin_cpu_supports("avx2"))
        return iterateShareAvx2;
#endif
    (void)kernel;
    return iterateSharePortable;
}

} // namespace

JuliaConstant pickJuliaConstant(int randomDraw) {
    return JULIA_CONSTANTS[randomDraw % JULIA_CONSTANT_COUNT];
}

BackgroundPalette buildBackgroundPalette() {
    BackgroundPalette palette;
    for (int i = 0; i < 256; ++i) {
        auto grey = static_cast<std::uint8_t>(std::sin(i * PI / 64) * PALETTE_AMPLITUDE + 64);
        auto blue = static_cast<std::uint8_t>(std::sin(i * PI / 32) * PALETTE_AMPLITUDE + 192);
        palette[i] = {grey, grey, blue};
    }
    return palette;
}

namespace {

// The image's coordinates are single-precision running sums, step added to step, so they
// carry the same rounding as the plain pixel loop.
std::vector<float> runningSums(float start, float step) {
    std::vector<float> values(BACKGROUND_SIZE);
    float sum = start;
    for (float& value : values) {
        value = sum;
        sum += step;
    }
    return values;
}

} // namespace

std::vector<float> backgroundColumnValues() {
    return runningSums(COLUMN_START, COLUMN_STEP);
}

std::vector<float> backgroundRowValues() {
    return runningSums(ROW_START, ROW_STEP);
}

std::vector<std::uint16_t> countEscapes(JuliaConstant c, int threadCount, EscapeKernel kernel) {
    std::vector<float> columns = backgroundColumnValues();
    std::vector<float> rows = backgroundRowValues();
    std::vector<std::uint16_t> counts(BACKGROUND_SIZE * BACKGROUND_SIZE);
    ShareIterator iterate = chooseIterator(kernel);
    // Interleaved rows give every thread a similar mix of slow and fast regions.
    int shareCount = std::clamp(threadCount, 1, MAX_THREADS);
    std::vector<std::thread> helpers;
    for (int share = 1; share < shareCount; ++share) {
        RowShare rowShare{c, columns.data(), rows.data(), share, shareCount, counts.data()};
        // Without a helper thread the share is simply computed here.
        try {
            helpers.emplace_back(iterate, rowShare);
        } catch (const std::system_error&) {
            iterate(rowShare);
        }
    }
    iterate(RowShare{c, columns.data(), rows.data(), 0, shareCount, counts.data()});
    for (std::thread& helper : helpers)
        helper.join();
    return counts;
}

std::vector<std::uint8_t> paintBackground(const std::vector<std::uint16_t>& counts) {
    BackgroundPalette palette = buildBackgroundPalette();
    std::vector<std::uint8_t> pixels(counts.size() * BACKGROUND_CHANNELS);
    for (size_t i = 0; i < counts.size(); ++i) {
        const PaletteColor& color = palette[counts[i] % 256];
        pixels[i * 3] = color.red;
        pixels[i * 3 + 1] = color.green;
        pixels[i * 3 + 2] = color.blue;
    }
    return pixels;
}

std::vector<std::uint8_t> generateBackgroundImage(JuliaConstant c) {
    int threadCount = static_cast<int>(std::thread::hardware_concurrency());
    return paintBackground(countEscapes(c, std::max(threadCount, 1), EscapeKernel::Fastest));
}
