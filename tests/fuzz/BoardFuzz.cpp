// Feeds arbitrary bytes to the board loader; an accepted board must be one the physics,
// the checks and the renderer can index safely, and a ball must roll on it without NaNs. The
// diagnosis of a refused board walks the same bytes and explains nothing for an accepted one.

#include "game/Ball.h"
#include "game/Board.h"
#include "game/BoardCheck.h"
#include "game/BoardDiagnosis.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Board board;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::optional<std::string> problem = board.parse(bytes);
    std::vector<std::string> explanation = diagnoseBoardText(bytes);
    if (problem) {
        if (board.hasGrids() || problem->empty())
            std::abort();
        return 0;
    }
    if (!explanation.empty())
        std::abort();
    std::int64_t cells = std::int64_t{board.width} * board.height;
    if (!board.hasGrids() || board.width <= 0 || board.height <= 0 || cells > 1048575)
        std::abort();
    std::size_t start = static_cast<std::size_t>(board.startX) +
                        static_cast<std::size_t>(board.startY) * board.width;
    if (board.startX >= board.width || board.startY >= board.height ||
        board.kinds[start] != KIND_START)
        std::abort();
    checkBoard(board);

    // The input's own bytes steer the tilt and the frame lengths, long frames included.
    std::int32_t nowMs = 0;
    Ball ball([&nowMs] { return nowMs; });
    ball.begin(board);
    for (std::size_t i = 0; i < 64; ++i) {
        std::uint8_t byte = data[i % size];
        ball.tiltX = (static_cast<float>(byte & 0x0f) - 7.5f) * 80.0f;
        ball.tiltY = (static_cast<float>(byte >> 4) - 7.5f) * 80.0f;
        std::int32_t ms = static_cast<std::int32_t>(byte % 50);
        nowMs += ms;
        if (ball.step(ms) != StepResult::Rolling)
            ball.reset();
        if (!std::isfinite(ball.x) || !std::isfinite(ball.y) || !std::isfinite(ball.z) ||
            !std::isfinite(ball.vx) || !std::isfinite(ball.vy))
            std::abort();
    }
    return 0;
}
