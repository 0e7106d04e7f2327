#pragma once
// What the music player needs from the sound library: one music stream that plays, pauses
// and tells when a track has ended. SDL_mixer provides it in the game; the unit tests
// provide a recording fake.

#include <string>

enum class MusicTrack { Intro, Menu, Game };

class AudioBackend {
public:
    // Opens the sound device; when it is missing the loads below fail.
    virtual void openAudio() = 0;
    // False, with the library's reason in error, when fileName cannot be loaded.
    virtual bool loadTrack(MusicTrack track, const std::string& fileName, std::string& error) = 0;
    // Starts track from its beginning in place of whatever plays or is paused; count 1 plays
    // it once, -1 without end. Plays are numbered from 1 in the order of these calls.
    virtual void playTrack(MusicTrack track, int count) = 0;
    virtual void pauseMusic() = 0;
    // While installed, the end of a track is reported with the number of its play.
    virtual void installFinishedNotification() = 0;
    virtual void removeFinishedNotification() = 0;

protected:
    // Never deleted through this interface: the game's backend lives until the process exits.
    ~AudioBackend() = default;
};
