#include "base/FileIO.h"
#include "base/FileLock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct TemporaryDirectory {
    fs::path path;
    TemporaryDirectory() {
        char pattern[] = "/tmp/tirva-fileio-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TemporaryDirectory() { fs::remove_all(path); }
    std::string at(const std::string& name) const { return (path / name).string(); }
};

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

mode_t permissionsOf(const std::string& path) {
    struct stat info;
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

} // namespace

TEST(FileIO, ReadsRegularFilesWithinTheLimitAndNothingElse) {
    TemporaryDirectory dir;
    writeFile(dir.at("ten"), "0123456789");
    EXPECT_EQ(readFile(dir.at("ten"), 10).bytes, "0123456789");
    EXPECT_EQ(readFile(dir.at("ten"), 10).status, ReadStatus::Read);
    EXPECT_EQ(readFile(dir.at("ten"), 9).status, ReadStatus::TooBig);
    EXPECT_EQ(readFile(dir.at("ten"), 9).bytes, "");
    EXPECT_EQ(readFile(dir.at("none"), 10).status, ReadStatus::Missing);
    EXPECT_EQ(readFile(dir.at("ten") + "/below", 10).status, ReadStatus::Missing);
    fs::create_symlink("nowhere", dir.path / "dangling");
    EXPECT_EQ(readFile(dir.at("dangling"), 10).status, ReadStatus::Missing);
    fs::create_symlink("ten", dir.path / "link");
    EXPECT_EQ(readFile(dir.at("link"), 10).bytes, "0123456789");
    fs::create_symlink("loop", dir.path / "loop");
    EXPECT_EQ(readFile(dir.at("loop"), 10).status, ReadStatus::Unreadable);
}

TEST(FileIO, FifosDevicesAndHugeFilesAreRefusedAtOnce) {
    TemporaryDirectory dir;
    ASSERT_EQ(::mkfifo(dir.at("fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.path / "zero");
    fs::create_symlink("/dev/urandom", dir.path / "urandom");
    fs::create_directory(dir.path / "directory");
    // A sparse gibibyte takes no disk space.
    { std::ofstream(dir.at("sparse"), std::ios::binary); }
    fs::resize_file(dir.path / "sparse", std::uintmax_t{1} << 30);

    auto start = std::chrono::steady_clock::now();
    for (const char* name : {"fifo", "zero", "urandom", "directory"})
        EXPECT_EQ(readFile(dir.at(name), 1 << 20).status, ReadStatus::NotRegularFile) << name;
    EXPECT_EQ(readFile(dir.at("sparse"), 64 << 20).status, ReadStatus::TooBig);
    EXPECT_EQ(inspectFile(dir.at("fifo"), 1 << 20), ReadStatus::NotRegularFile);
    EXPECT_EQ(inspectFile(dir.at("sparse"), 64 << 20), ReadStatus::TooBig);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
}

TEST(FileIO, ByteCountsReadAsWholeMebibytesOrBytes) {
    EXPECT_EQ(describeByteCount(1024 * 1024), "1 MiB");
    EXPECT_EQ(describeByteCount(64 * 1024 * 1024), "64 MiB");
    EXPECT_EQ(describeByteCount(1000), "1000 bytes");
}

TEST(FileIO, ASaveThroughLinksReplacesTheirTargetAndKeepsItsPermissions) {
    TemporaryDirectory dir;
    fs::create_directory(dir.path / "shared");
    writeFile(dir.at("shared/times.dat"), "old");
    ::chmod(dir.at("shared/times.dat").c_str(), 0640);
    // A chain of two links, the first one relative to its own directory.
    fs::create_symlink(dir.path / "shared" / "times.dat", dir.path / "shared" / "latest");
    fs::create_symlink("shared/latest", dir.path / "times.dat");

    EXPECT_EQ(findSaveTarget(dir.at("times.dat")), dir.at("shared/times.dat"));
    ASSERT_TRUE(writeFileAtomically(dir.at("times.dat"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "times.dat"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "shared" / "latest"));
    EXPECT_EQ(contentsOf(dir.at("shared/times.dat")), "new");
    EXPECT_EQ(permissionsOf(dir.at("shared/times.dat")), 0640u);
    EXPECT_TRUE(findLeftoverTemporaries(dir.at("times.dat")).empty());

    // A link that leads nowhere yet gets its target made, with the usual permissions.
    fs::create_symlink("shared/later.cfg", dir.path / "tirva.cfg");
    ASSERT_TRUE(writeFileAtomically(dir.at("tirva.cfg"), "a = 1\n"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "tirva.cfg"));
    EXPECT_EQ(contentsOf(dir.at("shared/later.cfg")), "a = 1\n");
    mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(permissionsOf(dir.at("shared/later.cfg")), 0666u & ~mask);
}

TEST(FileIO, ASaveKeepsTheOwnerOrElseGrantsNothingToAnotherGroup) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "making files of another user needs root";
    constexpr uid_t PLAYER = 65534; // nobody, a user and group of every Debian system
    TemporaryDirectory dir;
    ::chmod(dir.path.c_str(), 0777);
    // Root saving a player's file (a game started with sudo) leaves it the player's.
    writeFile(dir.at("mine.dat"), "old");
    ASSERT_EQ(::chown(dir.at("mine.dat").c_str(), PLAYER, PLAYER), 0);
    ::chmod(dir.at("mine.dat").c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(dir.at("mine.dat"), "new"));
    struct stat info;
    ASSERT_EQ(::stat(dir.at("mine.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, PLAYER);
    EXPECT_EQ(info.st_gid, PLAYER);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // The player saving their file of a group they are not in: the file is saved in their
    // own group, and what the other group could do is not handed to theirs.
    writeFile(dir.at("times.dat"), "old");
    ASSERT_EQ(::chown(dir.at("times.dat").c_str(), PLAYER, 0), 0);
    ::chmod(dir.at("times.dat").c_str(), 0664);
    pid_t child = ::fork();
    if (child == 0) {
        bool saved = ::setgroups(0, nullptr) == 0 && ::setgid(PLAYER) == 0 &&
                     ::setuid(PLAYER) == 0 && writeFileAtomically(dir.at("times.dat"), "new");
        ::_exit(saved ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(contentsOf(dir.at("times.dat")), "new");
    ASSERT_EQ(::stat(dir.at("times.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_gid, PLAYER);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
}

TEST(FileIO, LeftoversAreSweptOnlyWhileNoOneHoldsTheLock) {
    TemporaryDirectory dir;
    writeFile(dir.at("times.dat"), "kept");
    const std::string mark = ".tirva-unfinished-save-";
    // The game's own names, then names a player may give, some of them close to the game's.
    const std::vector<std::string> made = {".times.dat" + mark + "a1B2c3",
                                           ".times.dat" + mark + "XXXXXX",
                                           ".times.dat.damaged" + mark + "zzzzzz"};
    std::vector<std::string> theirs = {
        "times.dat.tmp-a1B2c3",    "times.dat.tmp-backup",        "times.dat.damaged.tmp-keepme",
        "tirva.cfg.tmp-OLDONE",    ".times.dat" + mark + "short", ".times.dat" + mark + "toolong1",
        ".other" + mark + "abcdef"};
    for (const std::string& name : made)
        writeFile(dir.at(name), "");
    for (const std::string& name : theirs)
        writeFile(dir.at(name), "");
    std::vector<std::string> expected = {dir.at(made[1]), dir.at(made[0])};
    EXPECT_EQ(findLeftoverTemporaries(dir.at("times.dat")), expected);

    {
        // Another copy saving right now: nothing of its may go.
        FileLock other(dir.at("times.dat"), 0);
        ASSERT_EQ(other.state(), FileLock::State::Held);
        FileLock second(dir.at("times.dat"), 20);
        EXPECT_EQ(second.state(), FileLock::State::Busy);
        removeLeftoverTemporaries(dir.at("times.dat"), {dir.at("times.dat.damaged")});
        EXPECT_EQ(findLeftoverTemporaries(dir.at("times.dat")), expected);
    }
    removeLeftoverTemporaries(dir.at("times.dat"), {dir.at("times.dat.damaged")});
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.path))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    theirs.push_back("times.dat");
    std::sort(theirs.begin(), theirs.end());
    EXPECT_EQ(left, theirs);
    EXPECT_EQ(contentsOf(dir.at("times.dat")), "kept");
}
