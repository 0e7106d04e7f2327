#include "app/MusicPlayer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// Records what the player asks of the sound library, and numbers the plays as SDL_mixer's
// backend does.
class FakeAudioBackend final : public AudioBackend {
public:
    void openAudio() override { calls.push_back("open"); }
    bool loadTrack(MusicTrack track, const std::string& fileName, std::string& error) override {
        calls.push_back("load " + fileName);
        if (missing.count(track) != 0) {
            error = "Couldn't open '" + fileName + "'";
            return false;
        }
        return true;
    }
    void playTrack(MusicTrack track, int count) override {
        ++plays;
        calls.push_back("play " + nameOf(track) + " " + std::to_string(count));
    }
    void pauseMusic() override { calls.push_back("pause"); }
    void installFinishedNotification() override {
        notificationInstalled = true;
        calls.push_back("install");
    }
    void removeFinishedNotification() override {
        notificationInstalled = false;
        calls.push_back("remove");
    }

    static std::string nameOf(MusicTrack track) {
        switch (track) {
        case MusicTrack::Intro:
            return "intro";
        case MusicTrack::Menu:
            return "menu";
        case MusicTrack::Game:
            return "game";
        }
        return "?";
    }

    // The calls since the last look.
    std::vector<std::string> takeCalls() {
        std::vector<std::string> taken;
        taken.swap(calls);
        return taken;
    }

    std::set<MusicTrack> missing;
    std::vector<std::string> calls;
    int plays = 0;
    bool notificationInstalled = false;
};

using Calls = std::vector<std::string>;

struct MusicRig {
    FakeAudioBackend backend;
    MusicPlayer player{backend};
    std::string warnings;

    void open(std::set<MusicTrack> missing = {}) {
        backend.missing = std::move(missing);
        testing::internal::CaptureStderr();
        player.open("music/menu_intro.ogg", "music/menu.ogg", "music/game.ogg");
        warnings = testing::internal::GetCapturedStderr();
        backend.takeCalls();
    }
    // The intro ends on the audio thread; the report reaches the main thread later.
    void finishLatestPlay() { player.handleMusicFinished(backend.plays); }
};

TEST(MusicPlayer, OpensTheDeviceThenLoadsTheThreeTracksInOrder) {
    FakeAudioBackend backend;
    MusicPlayer player(backend);
    testing::internal::CaptureStderr();
    player.open("music/menu_intro.ogg", "music/menu.ogg", "music/game.ogg");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(backend.takeCalls(), (Calls{"open", "load music/menu_intro.ogg",
                                          "load music/menu.ogg", "load music/game.ogg"}));
    EXPECT_FALSE(player.isMusicOff());
    EXPECT_FALSE(player.isInGame());
}

TEST(MusicPlayer, EachMissingTrackPrintsItsOwnWarning) {
    MusicRig rig;
    rig.open({MusicTrack::Intro, MusicTrack::Menu, MusicTrack::Game});
    EXPECT_EQ(rig.warnings,
              "Warning: couldn't load menu intro music: Couldn't open 'music/menu_intro.ogg'\n"
              "Warning: couldn't load menu music: Couldn't open 'music/menu.ogg'\n"
              "Warning: couldn't load game music: Couldn't open 'music/game.ogg'\n");
    rig.open({MusicTrack::Game});
    EXPECT_EQ(rig.warnings, "Warning: couldn't load game music: Couldn't open 'music/game.ogg'\n");
}

TEST(MusicPlayer, TheIntroHandsOverToTheLoopingMenuTrack) {
    MusicRig rig;
    rig.open();
    rig.player.switchMusic(true);
    rig.player.startMenuMusic();
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"install", "play intro 1"}));
    rig.finishLatestPlay();
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"remove", "play menu -1"}));
    EXPECT_FALSE(rig.backend.notificationInstalled);
}

TEST(MusicPlayer, ABoardPlaysTheGameTrackAndTheReturnRestartsTheIntro) {
    MusicRig rig;
    rig.open();
    rig.player.startMenuMusic();
    rig.finishLatestPlay();
    rig.backend.takeCalls();
    rig.player.startGameMusic();
    EXPECT_TRUE(rig.player.isInGame());
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"play game -1"}));
    rig.player.startMenuMusic();
    EXPECT_FALSE(rig.player.isInGame());
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"install", "play intro 1"}));
}

TEST(MusicPlayer, AnIntroEndReportedAfterTheBoardStartedKeepsTheGameTrack) {
    MusicRig rig;
    rig.open();
    rig.player.startMenuMusic();
    int introPlay = rig.backend.plays;
    rig.player.startGameMusic();
    rig.backend.takeCalls();
    rig.player.handleMusicFinished(introPlay);
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"remove"}));
}

TEST(MusicPlayer, AStaleIntroEndDoesNotCutTheRestartedIntro) {
    MusicRig rig;
    rig.open();
    rig.player.startMenuMusic();
    int firstIntro = rig.backend.plays;
    rig.player.startGameMusic();
    rig.player.startMenuMusic();
    rig.backend.takeCalls();
    rig.player.handleMusicFinished(firstIntro);
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"remove"}));
    // The restarted intro's own end still hands over.
    rig.player.startMenuMusic();
    rig.backend.takeCalls();
    rig.finishLatestPlay();
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"remove", "play menu -1"}));
}

TEST(MusicPlayer, MusicSwitchedOffInTheSettingsStaysSilentUntilSwitchedOn) {
    MusicRig rig;
    rig.open();
    rig.player.switchMusic(false);
    EXPECT_TRUE(rig.player.isMusicOff());
    rig.player.startMenuMusic();
    rig.player.startGameMusic();
    rig.player.startMenuMusic();
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"pause"}));
    rig.player.switchMusic(true);
    EXPECT_FALSE(rig.player.isMusicOff());
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"install", "play intro 1"}));
}

TEST(MusicPlayer, SwitchingOffAndOnRestartsFromTheIntroOrTheGameTrack) {
    MusicRig rig;
    rig.open();
    rig.player.startMenuMusic();
    rig.finishLatestPlay();
    rig.backend.takeCalls();
    rig.player.switchMusic(false);
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"pause"}));
    rig.player.switchMusic(true);
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"install", "play intro 1"}));
    rig.player.switchMusic(true);
    EXPECT_EQ(rig.backend.takeCalls(), Calls{});

    rig.player.startGameMusic();
    rig.player.switchMusic(false);
    rig.backend.takeCalls();
    rig.player.switchMusic(true);
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"play game -1"}));
}

TEST(MusicPlayer, AnIntroEndReportedAfterSwitchingOffStaysSilent) {
    MusicRig rig;
    rig.open();
    rig.player.startMenuMusic();
    int introPlay = rig.backend.plays;
    rig.player.switchMusic(false);
    rig.backend.takeCalls();
    rig.player.handleMusicFinished(introPlay);
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"remove"}));
}

TEST(MusicPlayer, AMissingGameTrackPausesPlayAndTheIntroReturnsAfter) {
    MusicRig rig;
    rig.open({MusicTrack::Game});
    rig.player.startMenuMusic();
    rig.backend.takeCalls();
    rig.player.startGameMusic();
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"pause"}));
    rig.player.switchMusic(false);
    rig.player.switchMusic(true);
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"pause"}));
    rig.player.startMenuMusic();
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"install", "play intro 1"}));
}

TEST(MusicPlayer, WithoutMenuTrackTheMenusAreSilentEvenWithAnIntro) {
    MusicRig rig;
    rig.open({MusicTrack::Menu});
    rig.player.startMenuMusic();
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"pause"}));
    rig.player.switchMusic(false);
    rig.player.switchMusic(true);
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"pause"}));
}

TEST(MusicPlayer, WithoutIntroTheMenusGoStraightToTheLoopingTrack) {
    MusicRig rig;
    rig.open({MusicTrack::Intro});
    rig.player.startMenuMusic();
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"play menu -1"}));
    EXPECT_FALSE(rig.backend.notificationInstalled);
    rig.player.switchMusic(false);
    rig.player.switchMusic(true);
    EXPECT_EQ(rig.backend.takeCalls(), (Calls{"pause", "play menu -1"}));
}

} // namespace
