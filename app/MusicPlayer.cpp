#include "app/MusicPlayer.h"

#include <cstdio>

MusicPlayer::MusicPlayer(AudioBackend& backend) : backend(backend) {}

void MusicPlayer::open(const std::string& introFile, const std::string& menuFile,
                       const std::string& gameFile) {
    backend.openAudio();
    std::string error;
    hasIntro = backend.loadTrack(MusicTrack::Intro, introFile, error);
    if (!hasIntro)
        std::fprintf(stderr, "Warning: couldn't load menu intro music: %s\n", error.c_str());
    hasMenu = backend.loadTrack(MusicTrack::Menu, menuFile, error);
    if (!hasMenu)
        std::fprintf(stderr, "Warning: couldn't load menu music: %s\n", error.c_str());
    hasGame = backend.loadTrack(MusicTrack::Game, gameFile, error);
    if (!hasGame)
        std::fprintf(stderr, "Warning: couldn't load game music: %s\n", error.c_str());
}

void MusicPlayer::startMenuMusic() {
    inGame = false;
    if (musicOff)
        return;
    if (hasMenu)
        startMenuSequence();
    else
        backend.pauseMusic();
}

void MusicPlayer::startGameMusic() {
    inGame = true;
    if (musicOff)
        return;
    if (hasGame)
        play(MusicTrack::Game, PLAY_ENDLESS);
    else
        backend.pauseMusic();
}

void MusicPlayer::switchMusic(bool on) {
    if (!on) {
        backend.pauseMusic();
        musicOff = true;
        return;
    }
    if (!musicOff)
        return;
    musicOff = false;
    // Music was paused while off, so a missing track leaves the silence as it is.
    if (inGame && hasGame)
        play(MusicTrack::Game, PLAY_ENDLESS);
    else if (!inGame && hasMenu)
        startMenuSequence();
}

// Only the end of the latest play counts, and only when it was the intro: the notice of an
// intro that ended just before a board started, the music was switched off or the intro was
// restarted is still on its way when it arrives.
void MusicPlayer::handleMusicFinished(int playNumber) {
    backend.removeFinishedNotification();
    if (playNumber != playCount || lastTrack != MusicTrack::Intro || inGame || musicOff)
        return;
    play(MusicTrack::Menu, PLAY_ENDLESS);
}

// Without an intro the menus go straight to the looping track rather than stay silent.
void MusicPlayer::startMenuSequence() {
    if (!hasIntro) {
        play(MusicTrack::Menu, PLAY_ENDLESS);
        return;
    }
    backend.installFinishedNotification();
    play(MusicTrack::Intro, PLAY_ONCE);
}

void MusicPlayer::play(MusicTrack track, int count) {
    ++playCount;
    lastTrack = track;
    backend.playTrack(track, count);
}
