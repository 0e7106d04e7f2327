#pragma once
// The background music: in the menus an intro played once that hands over to a looping menu
// track, during play a looping game track, and one switch that silences everything.

#include "app/AudioBackend.h"

#include <string>

class MusicPlayer {
public:
    static constexpr int PLAY_ONCE = 1;
    static constexpr int PLAY_ENDLESS = -1;

    explicit MusicPlayer(AudioBackend& backend);

    bool isMusicOff() const { return musicOff; }
    bool isInGame() const { return inGame; }

    // Opens the sound device and loads the three tracks; each track that cannot be loaded
    // prints its warning and stays silent.
    void open(const std::string& introFile, const std::string& menuFile,
              const std::string& gameFile);
    void startMenuMusic();
    void startGameMusic();
    // The "music" setting, at start-up before the menu music and when the options menu is
    // left: switched off, nothing plays until switched on; switching on again restarts from
    // the intro (or the game track during play).
    void switchMusic(bool on);
    // A track ended: after the intro the menu track takes over. Called on the main thread
    // with the number the backend gave the play that ended.
    void handleMusicFinished(int playNumber);

private:
    void startMenuSequence();
    void play(MusicTrack track, int count);

    AudioBackend& backend;
    bool hasIntro = false;
    bool hasMenu = false;
    bool hasGame = false;
    bool musicOff = false;
    bool inGame = false;
    int playCount = 0; // plays started so far; the backend numbers them the same way
    MusicTrack lastTrack = MusicTrack::Intro;
};
