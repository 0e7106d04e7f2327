#include "base/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint64_t MEBIBYTE = 1024 * 1024;
constexpr int MAX_LINK_HOPS = 40; // as many as the kernel follows before ELOOP
// A temporary file is named "." + the file's name + TEMPORARY_INFIX + six letters or digits
// from mkstemp: hidden, and marked as the game's in words no player would pick for a file of
// their own, so the start-up sweep can never take a player's "times.dat.tmp-backup".
constexpr std::size_t TEMPORARY_SUFFIX_LENGTH = 6;
constexpr const char* TEMPORARY_INFIX = ".tirva-unfinished-save-";

ReadStatus classifyOpenError(int error) {
    return error == ENOENT || error == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable;
}

// Reads at most maxBytes + 1 bytes: one more than allowed tells that the file grew past the
// limit after its size was looked at.
ReadStatus readOpenFile(int fd, std::uint64_t maxBytes, std::uint64_t expected,
                        std::string& bytes) {
    bytes.reserve(static_cast<std::size_t>(std::min(expected, maxBytes)));
    std::vector<char> chunk(1 << 16);
    for (;;) {
        std::uint64_t room = maxBytes + 1 - bytes.size();
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), room));
        ssize_t got = ::read(fd, chunk.data(), want);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return ReadStatus::Unreadable;
        if (got == 0)
            return ReadStatus::Read;
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
        if (bytes.size() > maxBytes)
            return ReadStatus::TooBig;
    }
}

std::string directoryOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A temporary file's path for target, up to its random letters.
std::string nameTemporary(const std::string& target) {
    return directoryOf(target) + '.' + nameOf(target) + TEMPORARY_INFIX;
}

bool writeAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

// The replaced file's owner and permission bits go to its successor; a new file gets what
// any program's new file gets (mkstemp alone would make it private). An owner that cannot be
// carried over (a group the player is not in) leaves the successor in the player's group,
// without the group's bits: those were granted to the other group, not to this one.
void copyAttributes(int fd, const std::string& target) {
    struct stat old;
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        mode_t mode = old.st_mode & 07777;
        struct stat made;
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0 &&
            (::fstat(fd, &made) != 0 || made.st_gid != old.st_gid))
            mode &= ~static_cast<mode_t>(S_IRWXG | S_ISGID);
        // After the owner: a change of owner may clear the set-id bits.
        ::fchmod(fd, mode);
        return;
    }
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

bool isTemporarySuffix(const std::string& suffix) {
    return suffix.size() == TEMPORARY_SUFFIX_LENGTH &&
           std::all_of(suffix.begin(), suffix.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

} // namespace

ReadStatus inspectFile(const std::string& path, std::uint64_t maxBytes) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return classifyOpenError(errno);
    if (!S_ISREG(info.st_mode))
        return ReadStatus::NotRegularFile;
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        return ReadStatus::TooBig;
    return ReadStatus::Read;
}

FileRead readFile(const std::string& path, std::uint64_t maxBytes) {
    FileRead result;
    // Looked at before opening, so a device is never opened at all; the check after the open
    // catches a file swapped in between.
    result.status = inspectFile(path, maxBytes);
    if (result.status != ReadStatus::Read)
        return result;
    struct stat info;
    // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.status = classifyOpenError(errno);
        return result;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        result.status = ReadStatus::NotRegularFile;
        return result;
    }
    result.status =
        readOpenFile(fd, maxBytes, static_cast<std::uint64_t>(info.st_size), result.bytes);
    ::close(fd);
    if (result.status != ReadStatus::Read)
        std::string().swap(result.bytes);
    return result;
}

bool isStandardInput(const std::string& path) {
    struct stat named;
    struct stat input;
    return ::stat(path.c_str(), &named) == 0 && ::fstat(STDIN_FILENO, &input) == 0 &&
           named.st_dev == input.st_dev && named.st_ino == input.st_ino;
}

FileRead readStandardInput(std::uint64_t maxBytes) {
    FileRead result;
    result.status = readOpenFile(STDIN_FILENO, maxBytes, 0, result.bytes);
    if (result.status != ReadStatus::Read)
        std::string().swap(result.bytes);
    return result;
}

std::string describeByteCount(std::uint64_t bytes) {
    if (bytes >= MEBIBYTE && bytes % MEBIBYTE == 0)
        return std::to_string(bytes / MEBIBYTE) + " MiB";
    return std::to_string(bytes) + " bytes";
}

bool isDirectory(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string findSaveTarget(const std::string& path) {
    std::string target = path;
    for (int hop = 0; hop < MAX_LINK_HOPS; ++hop) {
        struct stat info;
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        std::vector<char> link(static_cast<std::size_t>(std::max<off_t>(info.st_size, 255)) + 1);
        ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= link.size())
            return target;
        std::string next(link.data(), static_cast<std::size_t>(length));
        target = next[0] == '/' ? next : directoryOf(target) + next;
    }
    return target;
}

std::string findSaveDirectory(const std::string& path) {
    std::string directory = directoryOf(findSaveTarget(path));
    return directory.empty() ? "." : directory;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    std::string target = findSaveTarget(path);
    std::string temporary = nameTemporary(target) + std::string(TEMPORARY_SUFFIX_LENGTH, 'X');
    std::vector<char> pattern(temporary.begin(), temporary.end());
    pattern.push_back('\0');
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return false;
    temporary.assign(pattern.data());
    copyAttributes(fd, target);
    bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    written = (::close(fd) == 0) && written;
    if (!written || std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::vector<std::string> findLeftoverTemporaries(const std::string& path) {
    namespace fs = std::filesystem;
    std::string target = findSaveTarget(path);
    std::string directory = directoryOf(target);
    std::string prefix = nameOf(nameTemporary(target));
    std::vector<std::string> found;
    std::error_code error;
    for (fs::directory_iterator it(directory.empty() ? "." : directory, error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) == 0 &&
            isTemporarySuffix(name.substr(prefix.size())))
            found.push_back(directory + name);
    }
    std::sort(found.begin(), found.end());
    return found;
}
