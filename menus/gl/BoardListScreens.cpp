#include "menus/gl/BoardListScreens.h"

#include "game/BestTimes.h"
#include "game/Board.h"
#include "game/PlayLoop.h"
#include "menus/ListProgress.h"
#include "menus/MenuHost.h"
#include "menus/MenuKeyLines.h"
#include "menus/MenuLoops.h"
#include "render/gl/MenuFrames.h"

#include <algorithm>
#include <functional>

namespace {

// Only the lines of the window: the one after it would be cut in half by the bottom edge.
constexpr std::uint32_t LINES_DRAWN = LIST_WINDOW_LINES;

using Describe = std::function<std::string(std::size_t index)>;

void drawList(const char* title, std::uint32_t selected, std::uint32_t& top, std::size_t count,
              const Describe& describe, ListProgress& progress, const std::string& note,
              const std::string& notice) {
    top = scrollListTop(selected, top);
    std::vector<std::string> lines, marks;
    const std::size_t end = std::min<std::size_t>(count, std::size_t(top) + LINES_DRAWN);
    for (std::size_t i = top; i < end; ++i) {
        lines.push_back(describe(i));
        marks.push_back(progress.describe(i));
    }
    drawListScreenFrame(title, lines, marks, std::size_t(selected) - top, note, describeListKeys(),
                        notice);
}

// The entry under the pointer, among those the list shows from top.
MenuHitTest findEntries(const std::uint32_t& top, std::size_t count) {
    return
        [&top, count](MenuPoint point) { return findListEntryAt(top, count, LINES_DRAWN, point); };
}

// Looking a time up for a list never adds an entry to the table.
BestTimeLookup lookUpBestTimes(MenuHost& host) {
    BestTimes& table = host.bestTimes();
    return [&table](const std::string& path) { return table.findTimes(path)[0]; };
}

// The pack's last board, played from anywhere, adds up the pack once it is completed.
void collectPackTimes(PlayEntry& entry, const std::string& path,
                      const std::vector<std::string>& packPaths, BestTimes& table) {
    for (const std::string& boardPath : listPackTotalPaths(path, packPaths))
        entry.packTimes.push_back(&table.entry(boardPath));
}

void playSingleBoard(const std::string& path, const std::vector<std::string>& packPaths,
                     MenuHost& host) {
    host.enterPlay();
    {
        PlayEntry entry(path, host.bestTimes());
        collectPackTimes(entry, path, packPaths, host.bestTimes());
        host.playBoard(entry, false);
    }
    host.leavePlay();
}

} // namespace

// The progress beside each line is kept while the list is shown and worked out again after
// a board was played from it, so a board finished meanwhile shows at once.
void runBoardList(BoardList& list, MenuHost& host) {
    list.selected = 0;
    const BestTimeLookup bestTimeOf = lookUpBestTimes(host);
    ListProgress progress(
        [&](std::size_t i) { return describeBoardListProgress(list, i, bestTimeOf); });
    runListScreen(
        host.inputDevice(), list.selected, list.entries.size(),
        [&] {
            drawList(
                "choose board:", list.selected, list.top, list.entries.size(),
                [&list](std::size_t i) { return describeBoardListEntry(list, i); }, progress,
                describeEmptyList(list), host.describeUnsavedTimes());
        },
        [&](std::uint32_t index) {
            const bool stays = activateBoardEntry(list, index, host);
            progress.forget();
            return stays;
        },
        findEntries(list.top, list.entries.size()), cueMenuSounds(host));
    host.retryUnsavedTimes();
}

bool activateBoardEntry(BoardList& list, std::uint32_t index, MenuHost& host) {
    if (list.entries.empty())
        return false;
    if (std::int64_t(index) < list.fileCount) {
        playSingleBoard(list.prefix + list.entries[index], list.packPaths, host);
        return true;
    }
    // Rebuilt on every visit, so a board finished meanwhile is listed at once.
    std::optional<BoardList> finished = openPackSubList(list, index, lookUpBestTimes(host));
    if (finished)
        runBoardList(*finished, host);
    return true;
}

void runPackList(PackList& list, MenuHost& host) {
    list.selected = 0;
    const BestTimeLookup bestTimeOf = lookUpBestTimes(host);
    ListProgress progress(
        [&](std::size_t i) { return describePackListProgress(list, i, bestTimeOf); });
    runListScreen(
        host.inputDevice(), list.selected, list.packs.size(),
        [&] {
            drawList(
                "choose pack:", list.selected, list.top, list.packs.size(),
                [&list](std::size_t i) { return describePackListEntry(list, i); }, progress, "",
                host.describeUnsavedTimes());
        },
        [&](std::uint32_t index) {
            if (index < list.packs.size())
                playPack(readPack(list.packs[index]), host);
            progress.forget();
            return true;
        },
        findEntries(list.top, list.packs.size()), cueMenuSounds(host));
    host.retryUnsavedTimes();
}

void playPack(const std::vector<std::string>& paths, MenuHost& host) {
    host.enterPlay();
    for (const std::string& path : paths) {
        PlayEntry entry(path, host.bestTimes());
        collectPackTimes(entry, path, paths, host.bestTimes());
        if (!host.playBoard(entry, true))
            break;
    }
    host.leavePlay();
}
