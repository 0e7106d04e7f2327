#pragma once
// The music player's sound library in the game: SDL_mixer's single music stream.

#include "app/AudioBackend.h"

#include <SDL.h>

#include <string>

struct _Mix_Music;

// SDL_mixer reports the end of a track on its audio thread, where the next track must not be
// started; the report only pushes this event, with the play's number in user.code, and the
// game's one event source hands it to the music player on the main thread.
constexpr Uint8 MUSIC_FINISHED_EVENT = SDL_USEREVENT;

class SdlMixerBackend final : public AudioBackend {
public:
    static constexpr int SAMPLE_RATE = 22050;  // Hz
    static constexpr int CHANNELS = 2;         // stereo
    static constexpr int BUFFER_FRAMES = 1024; // about 46 ms at 22050 Hz

    void openAudio() override;
    bool loadTrack(MusicTrack track, const std::string& fileName, std::string& error) override;
    void playTrack(MusicTrack track, int count) override;
    void pauseMusic() override;
    void installFinishedNotification() override;
    void removeFinishedNotification() override;

private:
    _Mix_Music* tracks[3] = {nullptr, nullptr, nullptr}; // by MusicTrack
    // Each loaded track's file, which its music reads while it plays: kept, as the tracks
    // are, until the process ends.
    std::string trackBytes[3];
    bool deviceOpen = false;
    std::string openError; // SDL's reason when the device could not be opened
};
