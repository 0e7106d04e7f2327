#pragma once
// An exclusive lock that copies of the game take around each save of a file they share
// (the best times, the settings), so two copies never interleave their read, merge and
// write, and a start-up never sweeps away the temporary file of a save in progress.
// The lock is an advisory flock on the directory that holds the file a save replaces (a
// link's target): every copy can take it, even in a read-only directory, and it leaves no
// lock file behind for a player to find or delete.

#include <string>
#include <vector>

class FileLock {
public:
    enum class State {
        Held,
        Busy,     // another process held it for the whole wait
        Unusable, // the directory cannot be opened or locked (a missing directory, a file
                  // system without locks); a save goes on without it, and fails by itself
                  // where it cannot write
    };

    // Takes the lock of path's save target, trying for up to waitMs (0: once).
    FileLock(const std::string& path, int waitMs);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    State state() const { return state_; }
    // The locked directory, for messages.
    const std::string& lockPath() const { return lockPath_; }

private:
    std::string lockPath_;
    int fd = -1;
    State state_ = State::Unusable;
};

// How long a save waits for another copy's save of the same file to end. A save takes
// milliseconds; a lock held longer belongs to a stuck program, and the save then gives up
// with its warning rather than freeze the game.
constexpr int SAVE_LOCK_WAIT_MS = 2000;

// Removes the temporary files that saves of path (and of the files in companions, written
// under path's lock) left when they were killed before their rename, so they never pile up
// and fill a small disk. Nothing is removed while another process holds path's lock: its
// save may be writing one of them right now.
void removeLeftoverTemporaries(const std::string& path,
                               const std::vector<std::string>& companions = {});
