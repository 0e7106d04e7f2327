#include "tools/Commands.h"

#include "app/TiltInput.h"
#include "app/gl/Display.h"
#include "base/FileIO.h"
#include "base/Numbers.h"
#include "game/Ball.h"
#include "game/Board.h"
#include "render/gl/GlState.h"
#include "render/gl/MeshLists.h"
#include "render/gl/Renderer.h"

#include <SDL.h>
#include <GL/gl.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* HELP = R"(usage: tirva-tool render BOARD OUT.png [--size WxH] [--topview]
                          [--tilt TX,TY] [--ball X,Y,Z]

Draws one frame of BOARD with the game's own renderer, as play shows it, and writes it to
OUT.png. It opens a window, so it needs an X display.
  --size WxH     frame size in pixels (default 640x480, each side 16 to 4096)
  --topview      the whole-board view (a board that forbids it stays in the follow view)
  --tilt TX,TY   the player's tilt, -600 to 600 on each axis (default 0,0)
  --ball X,Y,Z   the ball's centre in board units and its height, finite numbers (default:
                 at rest in the middle of the start cell)
The textures come from the random generator's default seed, so renders are repeatable.
OUT.png is replaced atomically: an interrupted render leaves the old picture, if any.
A board the loader refuses exits 1 with its message on standard error.
)";

struct RenderRequest {
    std::string boardPath;
    std::string outputPath;
    int width = 640;
    int height = 480;
    bool topview = false;
    float tilt[2] = {0.0f, 0.0f};
    bool placesBall = false;
    float ball[3] = {0.0f, 0.0f, 0.0f};
};

// Reads count numbers separated by separator, all of the text and nothing else. Each number
// is read as C reads one, so white space may stand before it.
bool parseNumbers(const std::string& text, char separator, int count, float* numbers) {
    std::string_view rest = text;
    for (int i = 0; i < count; ++i) {
        std::optional<FloatPrefix> number = scanFloatPrefix(rest);
        if (!number)
            return false;
        numbers[i] = number->value;
        rest.remove_prefix(number->length);
        if (i + 1 == count)
            break;
        if (rest.empty() || rest[0] != separator)
            return false;
        rest.remove_prefix(1);
    }
    return rest.empty();
}

bool parseSize(const std::string& text, RenderRequest& request) {
    float size[2];
    if (!parseNumbers(text, 'x', 2, size))
        return false;
    // NaN fails the range test before it could reach the cast.
    for (float side : size)
        if (!(side >= 16 && side <= 4096) || side != static_cast<int>(side))
            return false;
    request.width = static_cast<int>(size[0]);
    request.height = static_cast<int>(size[1]);
    return true;
}

// What the player's input can give; NaN fails the comparison.
bool isPlayerTilt(const float* tilt) {
    return std::all_of(tilt, tilt + 2, [](float v) {
        return v >= -TiltInput::TILT_LIMIT && v <= TiltInput::TILT_LIMIT;
    });
}

// An empty result is success; otherwise it is the usage error.
std::string parseRequest(const Arguments& args, RenderRequest& request) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--topview") {
            request.topview = true;
        } else if (arg == "--size") {
            if (!hasValue || !parseSize(args[++i], request))
                return "--size takes WxH, each side a whole number from 16 to 4096";
        } else if (arg == "--tilt") {
            if (!hasValue || !parseNumbers(args[++i], ',', 2, request.tilt) ||
                !isPlayerTilt(request.tilt))
                return "--tilt takes TX,TY, each from -600 to 600";
        } else if (arg == "--ball") {
            if (!hasValue || !parseNumbers(args[++i], ',', 3, request.ball) ||
                !std::all_of(request.ball, request.ball + 3,
                             [](float v) { return std::isfinite(v); }))
                return "--ball takes X,Y,Z, finite numbers";
            request.placesBall = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option " + arg;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2)
        return "expected BOARD and OUT.png";
    request.boardPath = positional[0];
    request.outputPath = positional[1];
    return "";
}

// The back buffer's rows come bottom-up; the PNG gets them top-down. The picture is encoded
// in memory and replaces the file atomically, so a kill never leaves half a PNG behind.
bool writeFrame(const std::string& path, int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    png_int_32 bottomUp = -width * 3;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, pixels.data(), bottomUp, nullptr)) {
        std::fprintf(stderr, "tirva-tool render: cannot encode %s: %s\n", path.c_str(),
                     image.message);
        return false;
    }
    std::string encoded(size, '\0');
    if (!png_image_write_to_memory(&image, encoded.data(), &size, 0, pixels.data(), bottomUp,
                                   nullptr)) {
        std::fprintf(stderr, "tirva-tool render: cannot encode %s: %s\n", path.c_str(),
                     image.message);
        return false;
    }
    encoded.resize(size);
    if (writeFileAtomically(path, encoded))
        return true;
    std::fprintf(stderr, "tirva-tool render: cannot write %s\n", path.c_str());
    return false;
}

// Some X servers (Xvfb 21.1 among them) now and then hang up on a connection opened soon
// after the same process closed one, which SDL's driver probe does; a few tries ride it out.
bool startVideo() {
    constexpr int ATTEMPTS = 5;
    constexpr Uint32 PAUSE_MS = 50;
    for (int attempt = 1; attempt <= ATTEMPTS; ++attempt) {
        if (SDL_Init(SDL_INIT_VIDEO) == 0)
            return true;
        if (attempt < ATTEMPTS)
            SDL_Delay(PAUSE_MS);
    }
    return false;
}

} // namespace

int runRenderCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    RenderRequest request;
    std::string usageError = parseRequest(args, request);
    if (!usageError.empty())
        return reportUsageError("render", usageError);
    Board board;
    loadBoardArgument(board, request.boardPath);
    if (!board.hasGrids())
        return 1;

    // The game's own display set-up, without its caption: the game's tests find the game's
    // window by that caption.
    setenv("SDL_VIDEODRIVER", "x11", 0);
    if (!startVideo()) {
        std::fprintf(stderr, "tirva-tool render: no display: %s\n", SDL_GetError());
        return 1;
    }
    openDisplay(request.width, request.height, false);
    SDL_WM_SetCaption("tirva-tool render", nullptr);
    useFixedState();
    compileMeshLists();

    Renderer renderer;
    renderer.topview = request.topview;
    Ball ball([] { return 0; });
    ball.begin(board);
    ball.tiltX = request.tilt[0];
    ball.tiltY = request.tilt[1];
    if (request.placesBall) {
        ball.x = request.ball[0];
        ball.y = request.ball[1];
        ball.z = request.ball[2];
    }
    renderer.compileBoard(board, ball);
    useSceneState();
    renderer.drawFrame();
    glFinish();
    bool written = writeFrame(request.outputPath, request.width, request.height);
    SDL_Quit();
    return written ? 0 : 1;
}
