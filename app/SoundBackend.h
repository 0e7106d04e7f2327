#pragma once
// What the sound effects need from the sound library: channels beside the music stream, each
// effect loaded once from the bytes of its file, and plays that start at once. SDL_mixer
// provides it in the game; the unit tests provide a recording fake.

#include <string>

enum class SoundEffect {
    Knock1,
    Knock2,
    Knock3,
    Knock4,
    TrapDrop,
    GapDrop,
    Goal,
    BestTime,
    ClockTick,
    MenuMove,
    MenuPick
};
constexpr int SOUND_EFFECT_COUNT = static_cast<int>(SoundEffect::MenuPick) + 1;

class SoundBackend {
public:
    // Takes the channels the effects play on, on the device the music opened; false, with
    // the reason in error, when there is no device.
    virtual bool openChannels(std::string& error) = 0;
    // Decodes bytes, a whole file, into effect; false with the library's reason in error.
    virtual bool loadSound(SoundEffect effect, const std::string& bytes, std::string& error) = 0;
    // Starts effect on a free channel at volume (0 … 1) and returns; with every channel busy
    // the effect is dropped.
    virtual void playSound(SoundEffect effect, float volume) = 0;
    // Stops every effect and frees them all.
    virtual void freeSounds() = 0;

protected:
    // Never deleted through this interface: the game's backend lives until the process exits.
    ~SoundBackend() = default;
};
