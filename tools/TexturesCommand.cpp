#include "tools/Commands.h"

#include "base/FileIO.h"
#include "base/Numbers.h"
#include "render/JuliaBackground.h"
#include "render/Textures.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* HELP = R"(usage: tirva-tool textures --seed N DIR

Seeds the random generator with N (0 to 4294967295) and generates the game's textures in
the game's order: the floor and wall images, then the menu background. Writes
  DIR/floor.pgm       128 x 128 grey (binary PGM), image row 0 first
  DIR/wall.pgm        128 x 128 grey (binary PGM), image row 0 first
  DIR/background.ppm  512 x 512 colour (binary PPM), image row 0 (the bottom of the
                      picture in the game) first
DIR must exist. A file that cannot be written exits 1 with one line on standard error.
)";

// Digits only: no sign, not even on a zero.
bool parseSeed(const std::string& text, unsigned& seed) {
    if (text.empty() || !isDigit(text[0]))
        return false;
    std::optional<std::int64_t> value = parseWholeInteger(text);
    if (!value || *value > MAX_SEED)
        return false;
    seed = static_cast<unsigned>(*value);
    return true;
}

// A binary PGM (P5) or PPM (P6) file with maxval 255.
bool writeNetpbm(const std::string& path, const char* magic, int size,
                 const std::vector<std::uint8_t>& pixels) {
    std::string bytes =
        std::string(magic) + "\n" + std::to_string(size) + " " + std::to_string(size) + "\n255\n";
    bytes.append(pixels.begin(), pixels.end());
    if (writeFileAtomically(path, bytes))
        return true;
    std::fprintf(stderr, "tirva-tool textures: cannot write %s\n", path.c_str());
    return false;
}

} // namespace

int runTexturesCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    unsigned seed = 0;
    if (args.size() != 3 || args[0] != "--seed")
        return reportUsageError("textures", "expected --seed N DIR");
    if (!parseSeed(args[1], seed))
        return reportUsageError("textures", "the seed must be a whole number up to 4294967295");
    const std::string& directory = args[2];

    std::srand(seed);
    BoardImages board = generateBoardImages(std::rand);
    std::vector<std::uint8_t> background = generateBackgroundImage(pickJuliaConstant(std::rand()));
    bool written = writeNetpbm(directory + "/floor.pgm", "P5", BOARD_TEXTURE_SIZE, board.floor) &&
                   writeNetpbm(directory + "/wall.pgm", "P5", BOARD_TEXTURE_SIZE, board.wall) &&
                   writeNetpbm(directory + "/background.ppm", "P6", BACKGROUND_SIZE, background);
    return written ? 0 : 1;
}
