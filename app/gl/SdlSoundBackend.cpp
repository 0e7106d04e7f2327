#include "app/gl/SdlSoundBackend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>

namespace {

int indexOf(SoundEffect effect) {
    return static_cast<int>(effect);
}

} // namespace

bool SdlSoundBackend::openChannels(std::string& error) {
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0) {
        error = "the sound device could not be opened";
        return false;
    }
    Mix_AllocateChannels(CHANNELS);
    return true;
}

// SDL_mixer decodes the whole file into samples in the device's format here, so playing one
// later only mixes it; the bytes can go once this returns.
bool SdlSoundBackend::loadSound(SoundEffect effect, const std::string& bytes, std::string& error) {
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    Mix_Chunk* chunk = source != nullptr ? Mix_LoadWAV_RW(source, 1) : nullptr;
    if (chunk == nullptr) {
        error = Mix_GetError();
        return false;
    }
    Mix_FreeChunk(chunks[indexOf(effect)]);
    chunks[indexOf(effect)] = chunk;
    return true;
}

// The channel's volume is set under the audio lock together with the start, so the mixer
// never plays the first samples at the volume of the channel's previous effect.
void SdlSoundBackend::playSound(SoundEffect effect, float volume) {
    Mix_Chunk* chunk = chunks[indexOf(effect)];
    if (chunk == nullptr)
        return;
    SDL_LockAudio();
    const int channel = Mix_PlayChannel(-1, chunk, 0);
    if (channel >= 0)
        Mix_Volume(channel, static_cast<int>(std::lround(volume * MIX_MAX_VOLUME)));
    SDL_UnlockAudio();
}

void SdlSoundBackend::freeSounds() {
    Mix_HaltChannel(-1);
    for (Mix_Chunk*& chunk : chunks) {
        Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
}
