#pragma once
// The sound effects' library in the game: SDL_mixer's channels, mixed beside the music stream
// on SDL's audio thread.

#include "app/SoundBackend.h"

struct Mix_Chunk;

class SdlSoundBackend final : public SoundBackend {
public:
    // Enough for knocks every 40 ms while a drop, a tick and the goal's chime ring on.
    static constexpr int CHANNELS = 16;

    bool openChannels(std::string& error) override;
    bool loadSound(SoundEffect effect, const std::string& bytes, std::string& error) override;
    void playSound(SoundEffect effect, float volume) override;
    void freeSounds() override;

private:
    Mix_Chunk* chunks[SOUND_EFFECT_COUNT] = {}; // by SoundEffect
};
