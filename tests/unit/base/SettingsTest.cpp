#include "base/Settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

Settings parsed(const std::string& text, bool* complete = nullptr) {
    Settings settings;
    bool ok = settings.parse(text);
    if (complete)
        *complete = ok;
    return settings;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct TemporaryDirectory {
    std::filesystem::path path;
    TemporaryDirectory() {
        char pattern[] = "/tmp/tirva-settings-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TemporaryDirectory() { std::filesystem::remove_all(path); }
};

} // namespace

TEST(Settings, BlanksAroundKeysAndValuesAreNotPartOfThem) {
    bool complete = false;
    Settings settings = parsed("  res_x   =   1024  \n", &complete);
    EXPECT_TRUE(complete);
    ASSERT_EQ(settings.entries().size(), 1u);
    EXPECT_EQ(settings.entries().at("res_x"), "1024");
}

TEST(Settings, AllThreeLineEndsAndEmptyLinesAreAbsorbed) {
    bool complete = false;
    Settings settings = parsed("a=1\r\nb = 2\rc=3\n\n  \n\r\nd=x=y", &complete);
    EXPECT_TRUE(complete);
    Settings::Entries expected{{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "x=y"}};
    EXPECT_EQ(settings.entries(), expected);
}

TEST(Settings, LastOccurrenceOfAKeyWins) {
    Settings settings = parsed("music = 1\nmusic = 0\n");
    EXPECT_EQ(settings.entries().at("music"), "0");
}

TEST(Settings, ALineWithoutEqualsBecomesPartOfTheNextKey) {
    bool complete = false;
    Settings settings = parsed("word\nres_x = 5\n", &complete);
    EXPECT_TRUE(complete);
    EXPECT_EQ(settings.entries().count("res_x"), 0u);
    EXPECT_EQ(settings.entries().at("word\nres_x"), "5");
    // A line end at the very start of the file likewise belongs to the first key.
    EXPECT_EQ(parsed("\nkey=v").entries().count("\nkey"), 1u);
}

TEST(Settings, AnUnparsedTailKeepsEverythingBeforeIt) {
    bool complete = true;
    Settings settings = parsed("res_x = 800\nres_y = 600\ntrailing words\n", &complete);
    EXPECT_FALSE(complete);
    EXPECT_EQ(settings.entries().at("res_x"), "800");
    EXPECT_EQ(settings.entries().at("res_y"), "600");
    // A last entry without a line end is complete, and so is a tail of blanks.
    EXPECT_TRUE(parsed("a = 1").parse("b = 2   "));
}

TEST(Settings, EmptyKeysAndValuesAreAllowed) {
    bool complete = false;
    Settings settings = parsed("= 7\nempty =\n", &complete);
    EXPECT_TRUE(complete);
    EXPECT_EQ(settings.entries().at(""), "7");
    EXPECT_EQ(settings.entries().at("empty"), "");
}

TEST(Settings, LookupInsertsAnEmptyValueThatIsNeverWritten) {
    Settings settings;
    EXPECT_EQ(settings.valueOf("res_x"), "");
    EXPECT_EQ(settings.entries().size(), 1u);
    settings.valueOf("res_y") = "480";
    settings.valueOf("Res") = "1";
    // Byte-wise order: upper case before lower case.
    EXPECT_EQ(settings.serialize(), "Res = 1\nres_y = 480\n");
}

TEST(Settings, FilesAreReadWholeAndRewrittenAtomically) {
    TemporaryDirectory dir;
    std::string file = (dir.path / "tirva.cfg").string();
    {
        std::ofstream out(file, std::ios::binary);
        out << "zeta = unknown\nres_x = 640\n";
    }
    Settings settings(file);
    settings.valueOf("music") = "1";
    ASSERT_TRUE(settings.save(file));
    EXPECT_EQ(readFile(file), "music = 1\nres_x = 640\nzeta = unknown\n");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(Settings, MissingOrEmptyFilesAndFailedWritesKeepTheStore) {
    TemporaryDirectory dir;
    std::string file = (dir.path / "tirva.cfg").string();
    Settings missing;
    EXPECT_FALSE(missing.load(file));
    std::ofstream(file, std::ios::binary).close();
    Settings empty;
    EXPECT_FALSE(empty.load(file)); // a zero-length file counts as one that cannot be opened
    EXPECT_TRUE(empty.entries().empty());

    // A save into a directory that does not exist fails and leaves nothing behind.
    Settings settings;
    settings.valueOf("music") = "0";
    EXPECT_FALSE(settings.save((dir.path / "no" / "tirva.cfg").string()));
    EXPECT_EQ(settings.entries().at("music"), "0");
}

TEST(Settings, AFileThatCannotBeReadIsNeverReplaced) {
    TemporaryDirectory dir;
    std::string fifo = (dir.path / "fifo.cfg").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string big = (dir.path / "big.cfg").string();
    { std::ofstream(big, std::ios::binary) << "music = 0\n"; }
    std::filesystem::resize_file(big, Settings::MAX_FILE_BYTES + 1);
    for (const std::string& file : {fifo, big}) {
        testing::internal::CaptureStderr();
        Settings settings(file);
        settings.valueOf("music") = "1";
        EXPECT_FALSE(settings.save(file));
        std::string opening = file == fifo ? "Warning: couldn't open options file " + file
                                           : "Warning: options file " + file +
                                                 " is larger than 1 MiB; it is not read";
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  opening + "\nWarning: couldn't write options file " + file +
                      ": it could not be read at start-up, so it is left as it is\n");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(std::filesystem::file_size(big), Settings::MAX_FILE_BYTES + 1);
}

TEST(Settings, LinesThatWouldPassTheReadersLimitAreNotWritten) {
    TemporaryDirectory dir;
    std::string file = (dir.path / "tirva.cfg").string();
    // Written without blanks, as the reader accepts; the writer's " = " grows it by half.
    std::string compact;
    for (int i = 0; compact.size() + 16 <= Settings::MAX_FILE_BYTES; ++i)
        compact += "k" + std::to_string(1000000 + i) + "=v\n";
    { std::ofstream(file, std::ios::binary) << compact; }
    Settings settings(file);
    settings.valueOf("music") = "0";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(settings.save(file));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: couldn't write options file " + file +
                  ": it would be larger than 1 MiB, which the game does not read; it is left as "
                  "it is\n");
    EXPECT_EQ(readFile(file), compact);

    // Written with the spacing: a file of exactly the limit is written and read back; one
    // byte more is not written.
    Settings spaced;
    spaced.valueOf("padding") = std::string(Settings::MAX_FILE_BYTES - 21, 'p');
    spaced.valueOf("music") = "0";
    ASSERT_TRUE(spaced.save(file));
    EXPECT_EQ(std::filesystem::file_size(file), Settings::MAX_FILE_BYTES);
    spaced.valueOf("music") = "10";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(spaced.save(file));
    testing::internal::GetCapturedStderr();
    Settings reread;
    EXPECT_TRUE(reread.load(file));
    EXPECT_EQ(reread.entries().at("music"), "0");
}
