#include "game/BoardText.h"

#include "game/Board.h"

#include <cstddef>

std::string formatBoardText(const Board& board) {
    static const char HEX_DIGITS[] = "0123456789abcdef";
    std::size_t width = static_cast<std::size_t>(board.width);
    std::size_t height = static_cast<std::size_t>(board.height);
    std::string header = std::to_string(height) + ' ' + std::to_string(width) + '\n';
    // Sized once and filled in place: a generated maze has up to a million cells.
    std::string text(header.size() + 2 * height * (width + 1) + 1, '\n');
    char* out = text.data() + header.copy(text.data(), header.size());
    for (std::size_t row = 0; row < height; ++row, ++out)
        for (std::size_t column = 0; column < width; ++column)
            *out++ = HEX_DIGITS[board.walls[row * width + column] & 15];
    ++out; // the empty line
    for (std::size_t row = 0; row < height; ++row, ++out)
        for (std::size_t column = 0; column < width; ++column)
            *out++ = static_cast<char>('0' + board.kinds[row * width + column]);
    if (board.timeLimit >= 0 || board.noTopView)
        text += '\n' + std::to_string(board.timeLimit < 0 ? -1 : board.timeLimit) +
                (board.noTopView ? " 1\n" : "\n");
    return text;
}
