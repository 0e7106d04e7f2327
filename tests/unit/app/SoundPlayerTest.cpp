#include "app/SoundPlayer.h"

#include "tests/unit/app/RecordingSoundBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using Calls = std::vector<std::string>;

const std::string SHIPPED_SOUNDS = TIRVA_DATA_DIR "/sounds";

// Opens the player on directory; returns what it printed.
std::string openCapturing(SoundPlayer& player, const std::string& directory) {
    testing::internal::CaptureStderr();
    player.open(directory);
    return testing::internal::GetCapturedStderr();
}

// The shipped effects copied into a fresh directory, to be spoilt one at a time.
struct SoundsCopy {
    SoundsCopy() {
        char pattern[] = "/tmp/tirva-sounds-XXXXXX";
        path = mkdtemp(pattern);
        for (const auto& file : std::filesystem::directory_iterator(SHIPPED_SOUNDS))
            std::filesystem::copy_file(file.path(), path / file.path().filename());
    }
    ~SoundsCopy() { std::filesystem::remove_all(path); }

    std::filesystem::path path;
};

} // namespace

TEST(SoundPlayer, LoadsEveryShippedEffectInOrderAndPlaysOnlyWhileSwitchedOn) {
    RecordingSoundBackend backend;
    SoundPlayer player(backend);
    EXPECT_EQ(openCapturing(player, SHIPPED_SOUNDS), "");
    EXPECT_EQ(backend.calls,
              (Calls{"channels", "load knock1", "load knock2", "load knock3", "load knock4",
                     "load trap_drop", "load gap_drop", "load goal", "load best_time",
                     "load clock_tick", "load menu_move", "load menu_pick"}));
    EXPECT_TRUE(player.isLoaded());

    player.play(SoundEffect::Goal);
    player.play(SoundEffect::Knock2, 0.25f);
    player.play(SoundEffect::Knock3, 1.5f);
    EXPECT_EQ(backend.takePlays(), (Calls{"goal 1.00", "knock2 0.25", "knock3 1.00"}));
    player.switchSound(false);
    EXPECT_TRUE(player.isSoundOff());
    player.play(SoundEffect::MenuMove);
    EXPECT_EQ(backend.takePlays(), Calls{});
    player.switchSound(true);
    player.play(SoundEffect::MenuPick);
    EXPECT_EQ(backend.takePlays(), Calls{"menu_pick 1.00"});

    player.close();
    EXPECT_EQ(backend.calls.back(), "free");
    player.play(SoundEffect::MenuPick);
    EXPECT_EQ(backend.takePlays(), Calls{});
}

// Whatever goes wrong, one line says so, the loaded effects are freed and nothing plays.
TEST(SoundPlayer, AnyProblemPrintsOneWarningAndLeavesTheGameSilent) {
    auto expectSilent = [](RecordingSoundBackend& backend, SoundPlayer& player) {
        EXPECT_FALSE(player.isLoaded());
        player.play(SoundEffect::Goal);
        EXPECT_EQ(backend.takePlays(), Calls{});
    };
    {
        RecordingSoundBackend backend;
        backend.hasDevice = false;
        SoundPlayer player(backend);
        EXPECT_EQ(openCapturing(player, SHIPPED_SOUNDS),
                  "Warning: couldn't load sound effects: no device\n");
        EXPECT_EQ(backend.calls, (Calls{"channels", "free"}));
        expectSilent(backend, player);
    }
    {
        RecordingSoundBackend backend;
        SoundPlayer player(backend);
        EXPECT_EQ(openCapturing(player, "no-such-folder"),
                  "Warning: couldn't load sound effects: no-such-folder/knock1.ogg is missing\n");
        expectSilent(backend, player);
    }
    SoundsCopy copy;
    {
        std::ofstream(copy.path / "goal.ogg", std::ios::binary) << "RIFF, but not a sound";
        RecordingSoundBackend backend;
        SoundPlayer player(backend);
        EXPECT_EQ(openCapturing(player, copy.path.string()),
                  "Warning: couldn't load sound effects: " + (copy.path / "goal.ogg").string() +
                      ": Unrecognized sound file type\n");
        EXPECT_EQ(backend.calls.back(), "free");
        expectSilent(backend, player);
    }
    {
        std::filesystem::remove(copy.path / "menu_pick.ogg");
        std::filesystem::create_directory(copy.path / "menu_pick.ogg");
        std::filesystem::copy_file(SHIPPED_SOUNDS + "/goal.ogg", copy.path / "goal.ogg",
                                   std::filesystem::copy_options::overwrite_existing);
        RecordingSoundBackend backend;
        SoundPlayer player(backend);
        EXPECT_EQ(openCapturing(player, copy.path.string()),
                  "Warning: couldn't load sound effects: " +
                      (copy.path / "menu_pick.ogg").string() + " is not a regular file\n");
        expectSilent(backend, player);
    }
}
