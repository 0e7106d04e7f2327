#include "menus/LevelLists.h"

#include "base/FileIO.h"
#include "game/BoardName.h"
#include "game/PlayLoop.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

// The game never changes the C locale, whose lower-case mapping touches only 'A' to 'Z'.
std::string lowerCased(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Where an "info.txt"'s first line starts: after a UTF-8 byte-order mark, if one leads.
std::size_t skipByteOrderMark(const std::string& bytes) {
    constexpr std::string_view MARK = "\xEF\xBB\xBF";
    return bytes.compare(0, MARK.size(), MARK) == 0 ? MARK.size() : 0;
}

} // namespace

LevelDirectory scanLevelDirectory(const std::string& path) {
    namespace fs = std::filesystem;
    LevelDirectory levels;
    std::error_code error;
    for (fs::directory_iterator it(path, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        // A symbolic link counts as what it points to; a dangling one as a file.
        std::error_code typeError;
        fs::file_status status = it->status(typeError);
        if (fs::is_directory(status))
            levels.packs.push_back(name);
        else if (!fs::is_fifo(status) && !fs::is_character_file(status) &&
                 !fs::is_block_file(status) && !fs::is_socket(status))
            levels.files.push_back(name);
    }
    // A missing directory simply offers nothing; one that is there but cannot be read is
    // worth a word to the player.
    levels.unlistable = error && error != std::errc::no_such_file_or_directory;
    // std::string compares as unsigned bytes: upper case before lower case, prefixes first.
    std::sort(levels.files.begin(), levels.files.end());
    std::sort(levels.packs.begin(), levels.packs.end());
    return levels;
}

BoardList makeBoardList(const LevelDirectory& levels) {
    BoardList list;
    list.entries = levels.files;
    list.entries.insert(list.entries.end(), levels.packs.begin(), levels.packs.end());
    list.prefix = LEVELS_PREFIX;
    list.fileCount = static_cast<std::int32_t>(levels.files.size());
    return list;
}

PackList makePackList(const LevelDirectory& levels) {
    PackList list;
    list.packs = levels.packs;
    return list;
}

std::string describeBoardListEntry(const BoardList& list, std::size_t index) {
    const std::string& name = list.entries[index];
    if (static_cast<std::int64_t>(index) >= list.fileCount)
        return lowerCased(name + '/');
    return nameBoardFile(name);
}

std::string describePackListEntry(const PackList& list, std::size_t index) {
    return lowerCased(list.packs[index]);
}

namespace {

// The pack's finished boards out of all of them, or nothing when its "info.txt" cannot be
// read; no warning, as the line is only drawn. The lines are looked at where they stand in
// the file, through one path, so a pack of any size costs its file and no more.
std::string countPackProgress(const std::string& packDir, const BestTimeLookup& bestTimeOf) {
    FileRead file = readFile(packDir + PACK_INFO_FILE, MAX_INFO_FILE_BYTES);
    if (file.status != ReadStatus::Read)
        return "";
    std::size_t finished = 0;
    std::size_t total = 0;
    std::string path = packDir;
    visitInfoLines(file.bytes, [&](std::string_view line) {
        path.resize(packDir.size());
        path.append(line);
        ++total;
        if (bestTimeOf(path) >= 0)
            ++finished;
    });
    return std::to_string(finished) + "/" + std::to_string(total);
}

} // namespace

std::string describeBoardListProgress(const BoardList& list, std::size_t index,
                                      const BestTimeLookup& bestTimeOf) {
    const std::string path = list.prefix + list.entries[index];
    if (static_cast<std::int64_t>(index) < list.fileCount) {
        const std::int32_t best = bestTimeOf(path);
        return best >= 0 ? formatSeconds(best) : "-";
    }
    return countPackProgress(path + '/', bestTimeOf);
}

std::string describePackListProgress(const PackList& list, std::size_t index,
                                     const BestTimeLookup& bestTimeOf,
                                     const std::string& levelsPrefix) {
    return countPackProgress(levelsPrefix + list.packs[index] + '/', bestTimeOf);
}

std::string describeEmptyList(const BoardList& list) {
    if (!list.entries.empty() || list.packPaths.empty())
        return "";
    return "play this pack in level packs first";
}

std::vector<std::string> listPackTotalPaths(const std::string& path,
                                            const std::vector<std::string>& packPaths) {
    if (packPaths.empty() || packPaths.back() != path)
        return {};
    return packPaths;
}

std::uint32_t scrollListTop(std::uint32_t selected, std::uint32_t top) {
    if (selected < top)
        return selected;
    if (selected - top > LIST_WINDOW_LINES - 1)
        return selected - (LIST_WINDOW_LINES - 1);
    return top;
}

void visitInfoLines(const std::string& bytes,
                    const std::function<void(std::string_view line)>& visit) {
    std::size_t start = skipByteOrderMark(bytes);
    while (start < bytes.size()) {
        std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        std::string_view line(bytes.data() + start, end - start);
        // A file written with CR LF line ends names the same boards as one with LF.
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() >= INFO_LINE_LIMIT)
            break;
        if (!line.empty() && line.front() != '#')
            visit(line);
        start = end + 1;
    }
}

std::vector<std::string> parseInfoLines(const std::string& bytes) {
    std::vector<std::string> lines;
    visitInfoLines(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::size_t findOverlongInfoLine(const std::string& bytes) {
    std::size_t start = skipByteOrderMark(bytes);
    for (std::size_t number = 1; start < bytes.size(); ++number) {
        std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        std::size_t length = end - start;
        if (length > 0 && bytes[end - 1] == '\r')
            --length;
        if (length >= INFO_LINE_LIMIT)
            return number;
        start = end + 1;
    }
    return 0;
}

std::optional<std::vector<std::string>> readInfoFile(const std::string& packDir, bool& reported) {
    std::string path = packDir + PACK_INFO_FILE;
    FileRead file = readFile(path, MAX_INFO_FILE_BYTES);
    reported = file.status == ReadStatus::TooBig;
    if (reported)
        std::fprintf(stderr, "Warning: level pack file %s is larger than %s; it is not read\n",
                     path.c_str(), describeByteCount(MAX_INFO_FILE_BYTES).c_str());
    if (file.status != ReadStatus::Read)
        return std::nullopt;
    return parseInfoLines(file.bytes);
}

std::vector<std::string> listFinishedBoards(const std::vector<std::string>& lines,
                                            const std::string& packDir,
                                            const BestTimeLookup& bestTimeOf) {
    std::vector<std::string> finished;
    for (const std::string& line : lines) {
        if (bestTimeOf(packDir + line) < 0)
            break;
        finished.push_back(line);
    }
    return finished;
}

std::optional<BoardList> openPackSubList(const BoardList& list, std::size_t index,
                                         const BestTimeLookup& bestTimeOf) {
    const std::string& packName = list.entries[index];
    std::string packDir = list.prefix + packName + '/';
    bool reported = false;
    std::optional<std::vector<std::string>> lines = readInfoFile(packDir, reported);
    if (!lines) {
        if (!reported)
            std::fprintf(stderr, "Warning: couldn't open info file for level pack %s\n",
                         packName.c_str());
        return std::nullopt;
    }
    BoardList subList;
    subList.entries = listFinishedBoards(*lines, packDir, bestTimeOf);
    subList.prefix = packDir;
    subList.fileCount = static_cast<std::int32_t>(subList.entries.size());
    for (const std::string& line : *lines)
        subList.packPaths.push_back(packDir + line);
    return subList;
}

std::vector<std::string> readPack(const std::string& packName, const std::string& levelsPrefix) {
    std::string packDir = levelsPrefix + packName + '/';
    bool reported = false;
    std::optional<std::vector<std::string>> lines = readInfoFile(packDir, reported);
    if (!lines) {
        if (!reported)
            std::fprintf(stderr, "Warning: couldn't read level pack file %s\n",
                         (packDir + PACK_INFO_FILE).c_str());
        return {};
    }
    std::vector<std::string> paths;
    for (const std::string& line : *lines)
        paths.push_back(packDir + line);
    return paths;
}
