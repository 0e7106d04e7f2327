#include "app/SoundPlayer.h"

#include "base/FileIO.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

// Each effect's file, in the order of SoundEffect; tools/music/build-sounds.sh makes them.
struct SoundFile {
    SoundEffect effect;
    const char* name;
};

constexpr SoundFile SOUND_FILES[] = {
    {SoundEffect::Knock1, "knock1.ogg"},
    {SoundEffect::Knock2, "knock2.ogg"},
    {SoundEffect::Knock3, "knock3.ogg"},
    {SoundEffect::Knock4, "knock4.ogg"},
    {SoundEffect::TrapDrop, "trap_drop.ogg"},
    {SoundEffect::GapDrop, "gap_drop.ogg"},
    {SoundEffect::Goal, "goal.ogg"},
    {SoundEffect::BestTime, "best_time.ogg"},
    {SoundEffect::ClockTick, "clock_tick.ogg"},
    {SoundEffect::MenuMove, "menu_move.ogg"},
    {SoundEffect::MenuPick, "menu_pick.ogg"},
};
constexpr bool listsEveryEffectInOrder() {
    if (std::size(SOUND_FILES) != SOUND_EFFECT_COUNT)
        return false;
    for (int i = 0; i < SOUND_EFFECT_COUNT; ++i)
        if (static_cast<int>(SOUND_FILES[i].effect) != i)
            return false;
    return true;
}
static_assert(listsEveryEffectInOrder(), "every effect has its file, in the enum's order");

// Why a file was not read, as the rest of the game words it.
std::string describeRefusal(const std::string& path, ReadStatus status) {
    switch (status) {
    case ReadStatus::Missing:
        return path + " is missing";
    case ReadStatus::Unreadable:
        return path + " cannot be read";
    case ReadStatus::NotRegularFile:
        return path + " is not a regular file";
    case ReadStatus::TooBig:
        return path + " is larger than " + describeByteCount(SoundPlayer::MAX_SOUND_FILE_BYTES);
    case ReadStatus::Read:
        break;
    }
    return path;
}

} // namespace

SoundPlayer::SoundPlayer(SoundBackend& backend) : backend(backend) {}

void SoundPlayer::open(const std::string& directory) {
    std::string problem;
    loaded = loadAll(directory, problem);
    if (loaded)
        return;
    std::fprintf(stderr, "Warning: couldn't load sound effects: %s\n", problem.c_str());
    // The ones decoded before the failure would only take memory.
    backend.freeSounds();
}

bool SoundPlayer::loadAll(const std::string& directory, std::string& problem) {
    if (!backend.openChannels(problem))
        return false;
    for (const SoundFile& file : SOUND_FILES) {
        const std::string path = directory + "/" + file.name;
        FileRead read = readFile(path, MAX_SOUND_FILE_BYTES);
        if (read.status != ReadStatus::Read) {
            problem = describeRefusal(path, read.status);
            return false;
        }
        std::string error;
        if (!backend.loadSound(file.effect, read.bytes, error)) {
            problem = path + ": " + error;
            return false;
        }
    }
    return true;
}

void SoundPlayer::switchSound(bool on) {
    soundOff = !on;
}

void SoundPlayer::play(SoundEffect effect, float volume) {
    if (!loaded || soundOff)
        return;
    backend.playSound(effect, std::clamp(volume, 0.0f, 1.0f));
}

void SoundPlayer::close() {
    if (loaded)
        backend.freeSounds();
    loaded = false;
}
