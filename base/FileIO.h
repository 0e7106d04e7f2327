#pragma once
// Whole-file reads and crash-safe whole-file writes for the files the game reads and keeps.
// A read never waits on a FIFO or a device and never takes more memory than its caller
// allows; a write of the settings or the best times never leaves a half-written file, never
// turns a symbolic link into a plain file and keeps the file's permission bits.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What became of a read.
enum class ReadStatus {
    Read,
    Missing,        // nothing there, or a symbolic link that leads nowhere
    Unreadable,     // there, but it could not be opened or read (permissions, a link loop)
    NotRegularFile, // a directory, FIFO, device or socket: never opened for reading
    TooBig,         // a regular file larger than the caller's limit; not read
};

struct FileRead {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes; // the whole file, no line-end translation; empty unless Read
};

// Reads path whole when it is a regular file of at most maxBytes. Anything else is refused
// before its contents are touched, so a refusal costs one stat and one open at most.
FileRead readFile(const std::string& path, std::uint64_t maxBytes);

// True when path leads to this process's standard input (such as /dev/stdin), which the
// tool reads like a file so that a board can be piped in.
bool isStandardInput(const std::string& path);
// The standard input up to its end, waiting for it as any reader of standard input does, but
// never more than maxBytes of it: an endless one (a device) is TooBig at that point.
FileRead readStandardInput(std::uint64_t maxBytes);

// What readFile would make of path, without opening it: for files that another library
// opens by name, checked first so that it is never handed a FIFO, a device or a huge file.
// Read stands for "fit to be read".
ReadStatus inspectFile(const std::string& path, std::uint64_t maxBytes);

// A byte count for messages: "1 MiB" for whole mebibytes, otherwise "N bytes".
std::string describeByteCount(std::uint64_t bytes);

// True when path is a directory or a link to one.
bool isDirectory(const std::string& path);

// The file a save of path replaces: path itself, or the end of the chain of symbolic links
// that starts there (which need not exist yet). A link loop gives the last link reached.
std::string findSaveTarget(const std::string& path);

// The directory of path's save target, where its temporary files go: "." for a bare name.
std::string findSaveDirectory(const std::string& path);

// Writes bytes to a temporary file beside path's save target, flushes it to disk and renames
// it over the target, so a crash, a kill or a full disk leaves either the old file or the
// new one, and a link at path stays a link. The new file gets the old one's permission bits
// (and owner, where allowed); a new file gets the usual ones. False when any step fails; the
// old file is then untouched and the temporary file removed.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// Names of the temporary files that writes of path left behind when they were killed before
// their rename, as paths beside path's save target: only names of the game's own making
// (".times.dat.tirva-unfinished-save-" and six letters or digits), never a player's file.
std::vector<std::string> findLeftoverTemporaries(const std::string& path);
