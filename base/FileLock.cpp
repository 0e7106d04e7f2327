#include "base/FileLock.h"

#include "base/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int RETRY_PAUSE_MS = 5;

} // namespace

FileLock::FileLock(const std::string& path, int waitMs) : lockPath_(findSaveDirectory(path)) {
    fd = ::open(lockPath_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            state_ = State::Held;
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            state_ = State::Busy;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(RETRY_PAUSE_MS));
    }
    ::close(fd);
    fd = -1;
}

FileLock::~FileLock() {
    // Closing the only descriptor releases the lock.
    if (fd >= 0)
        ::close(fd);
}

void removeLeftoverTemporaries(const std::string& path,
                               const std::vector<std::string>& companions) {
    std::vector<std::string> leftovers = findLeftoverTemporaries(path);
    for (const std::string& companion : companions) {
        std::vector<std::string> more = findLeftoverTemporaries(companion);
        leftovers.insert(leftovers.end(), more.begin(), more.end());
    }
    if (leftovers.empty())
        return;
    FileLock lock(path, 0);
    if (lock.state() != FileLock::State::Held)
        return;
    for (const std::string& leftover : leftovers)
        std::remove(leftover.c_str());
}
