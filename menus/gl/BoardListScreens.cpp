#include "menus/gl/BoardListScreens.h"

#include "app/gl/Music.h"
#include "game/BestTimes.h"
#include "game/Board.h"
#include "app/gl/GamePlay.h"
#include "game/PlayLoop.h"
#include "menus/gl/MenuLoops.h"
#include "render/gl/MenuDrawing.h"

#include <algorithm>
#include <functional>

namespace {

// Lines below the window are drawn too and fall off the bottom edge; the one after the
// window still shows its top, and nothing further down can be seen.
constexpr std::uint32_t LINES_DRAWN = LIST_WINDOW_LINES + 2;

using Describe = std::function<std::string(std::size_t index)>;

void drawList(const char* title, std::uint32_t selected, std::uint32_t& top, std::size_t count,
              const Describe& describe) {
    top = scrollListTop(selected, top);
    std::vector<std::string> lines;
    const std::size_t end = std::min<std::size_t>(count, std::size_t(top) + LINES_DRAWN);
    for (std::size_t i = top; i < end; ++i)
        lines.push_back(describe(i));
    drawListScreenFrame(title, lines, std::size_t(selected) - top);
}

std::int32_t findBestTime(const std::string& path) {
    return gameBestTimes().entry(path)[0];
}

void playSingleBoard(const std::string& path) {
    musicPlayer.startGameMusic();
    {
        PlayEntry entry(path, gameBestTimes());
        playBoardInGame(entry, false);
    }
    backToMenus();
}

} // namespace

void runBoardList(BoardList& list) {
    list.selected = 0;
    runListScreen(
        list.selected, list.entries.size(),
        [&list] {
            drawList("choose board:", list.selected, list.top, list.entries.size(),
                     [&list](std::size_t i) { return describeBoardListEntry(list, i); });
        },
        [&list](std::uint32_t index) { return activateBoardEntry(list, index); });
}

bool activateBoardEntry(BoardList& list, std::uint32_t index) {
    if (list.entries.empty())
        return false;
    if (std::int64_t(index) < list.fileCount) {
        playSingleBoard(list.prefix + list.entries[index]);
        return true;
    }
    // Rebuilt on every visit, so a board finished meanwhile is listed at once.
    std::optional<BoardList> finished = openPackSubList(list, index, findBestTime);
    if (finished)
        runBoardList(*finished);
    return true;
}

void runPackList(PackList& list) {
    list.selected = 0;
    runListScreen(
        list.selected, list.packs.size(),
        [&list] {
            drawList("choose pack:", list.selected, list.top, list.packs.size(),
                     [&list](std::size_t i) { return describePackListEntry(list, i); });
        },
        [&list](std::uint32_t index) {
            if (index < list.packs.size())
                playPack(readPack(list.packs[index]));
            return true;
        });
}

void playPack(const std::vector<std::string>& paths) {
    musicPlayer.startGameMusic();
    for (const std::string& path : paths) {
        PlayEntry entry(path, gameBestTimes());
        if (!playBoardInGame(entry, true))
            break;
    }
    backToMenus();
}
