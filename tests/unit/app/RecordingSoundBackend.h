#pragma once
// A sound library that records what the sound-effect player asks of it: the effects it loads
// (and whether their bytes are an Ogg stream) and every play with its volume.

#include "app/SoundBackend.h"

#include <cstdio>
#include <string>
#include <vector>

class RecordingSoundBackend final : public SoundBackend {
public:
    bool openChannels(std::string& error) override {
        calls.push_back("channels");
        if (!hasDevice)
            error = "no device";
        return hasDevice;
    }
    // Anything but an Ogg stream is refused, as SDL_mixer refuses it.
    bool loadSound(SoundEffect effect, const std::string& bytes, std::string& error) override {
        const bool isOgg = bytes.rfind("OggS", 0) == 0;
        calls.push_back("load " + nameOf(effect));
        if (!isOgg)
            error = "Unrecognized sound file type";
        return isOgg;
    }
    void playSound(SoundEffect effect, float volume) override {
        char line[64];
        std::snprintf(line, sizeof line, "%s %.2f", nameOf(effect).c_str(), volume);
        plays.push_back(line);
    }
    void freeSounds() override { calls.push_back("free"); }

    static std::string nameOf(SoundEffect effect) {
        switch (effect) {
        case SoundEffect::Knock1:
            return "knock1";
        case SoundEffect::Knock2:
            return "knock2";
        case SoundEffect::Knock3:
            return "knock3";
        case SoundEffect::Knock4:
            return "knock4";
        case SoundEffect::TrapDrop:
            return "trap_drop";
        case SoundEffect::GapDrop:
            return "gap_drop";
        case SoundEffect::Goal:
            return "goal";
        case SoundEffect::BestTime:
            return "best_time";
        case SoundEffect::ClockTick:
            return "clock_tick";
        case SoundEffect::MenuMove:
            return "menu_move";
        case SoundEffect::MenuPick:
            return "menu_pick";
        }
        return "?";
    }

    // The plays since the last look.
    std::vector<std::string> takePlays() {
        std::vector<std::string> taken;
        taken.swap(plays);
        return taken;
    }

    bool hasDevice = true;
    std::vector<std::string> calls;
    std::vector<std::string> plays;
};
