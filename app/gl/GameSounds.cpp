#include "app/gl/GameSounds.h"

#include "app/gl/SdlSoundBackend.h"

#include <cstdlib>

namespace {

SdlSoundBackend soundBackend;

// Runs before SDL's own shutdown, which main registered earlier and so runs later.
void closeSounds() {
    soundPlayer.close();
}

} // namespace

SoundPlayer soundPlayer(soundBackend);
PlaySounds playSounds(soundPlayer);

void openSounds() {
    soundPlayer.open("sounds");
    std::atexit(closeSounds);
}
