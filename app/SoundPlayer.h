#pragma once
// The sound effects: read once at start-up from their files under one directory, each played
// at once on a channel of its own beside the music, and one switch that silences them all.

#include "app/SoundBackend.h"

#include <cstdint>
#include <string>

class SoundPlayer {
public:
    // The largest effect file read: the shipped ones are a few kilobytes each.
    static constexpr std::uint64_t MAX_SOUND_FILE_BYTES = 1024 * 1024;

    explicit SoundPlayer(SoundBackend& backend);

    bool isSoundOff() const { return soundOff; }
    bool isLoaded() const { return loaded; }

    // Reads every effect's file under directory and hands it to the backend. No sound device,
    // or a file that cannot be read or decoded, prints one warning and leaves every effect
    // silent: a game with half its sounds would mislead more than a silent one.
    void open(const std::string& directory);
    // The "sound" setting, at start-up and when the options menu is left.
    void switchSound(bool on);
    // Starts effect at volume (0 … 1) and returns at once; nothing while the sounds are off
    // or were not loaded.
    void play(SoundEffect effect, float volume = 1.0f);
    // Stops and frees every effect; nothing plays afterwards.
    void close();

private:
    bool loadAll(const std::string& directory, std::string& problem);

    SoundBackend& backend;
    bool loaded = false;
    bool soundOff = false;
};
