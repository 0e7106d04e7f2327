#include "app/gl/SdlMixerBackend.h"

#include "base/FileIO.h"

#include <SDL_mixer.h>

#include <atomic>
#include <string>
#include <utility>

namespace {

// A track is read whole into memory. A shipped track is about a megabyte; an hour of music at
// the highest Vorbis quality stays under this.
constexpr std::uint64_t MAX_TRACK_FILE_BYTES = 256 * 1024 * 1024;

// Number of the latest play. Written with the audio lock held and read by the finished
// report, which SDL_mixer calls from its mixing callback under that same lock, so the
// report always names the play that really ended.
std::atomic<int> playNumber{0};

// Runs on the audio thread: pushing an event is the one thread-safe thing SDL 1.2 offers.
void reportMusicFinished() {
    SDL_Event event = {};
    event.type = MUSIC_FINISHED_EVENT;
    event.user.code = playNumber.load();
    SDL_PushEvent(&event);
}

int indexOf(MusicTrack track) {
    return static_cast<int>(track);
}

// Reads a track once, as every file the game reads, for SDL_mixer to play from memory:
// opening the file by its name again could meet a FIFO swapped in meanwhile, and wait for
// ever. False, with the reason in error, when it cannot be read.
bool readTrack(const std::string& fileName, std::string& bytes, std::string& error) {
    FileRead file = readFile(fileName, MAX_TRACK_FILE_BYTES);
    switch (file.status) {
    case ReadStatus::Read:
        bytes = std::move(file.bytes);
        return true;
    case ReadStatus::NotRegularFile:
        error = fileName + " is not a regular file";
        return false;
    case ReadStatus::TooBig:
        error = fileName + " is larger than " + describeByteCount(MAX_TRACK_FILE_BYTES);
        return false;
    case ReadStatus::Missing:
    case ReadStatus::Unreadable:
        break;
    }
    error = "Couldn't open '" + fileName + "'";
    return false;
}

} // namespace

void SdlMixerBackend::openAudio() {
    deviceOpen = Mix_OpenAudio(SAMPLE_RATE, AUDIO_S16SYS, CHANNELS, BUFFER_FRAMES) == 0;
    if (!deviceOpen)
        openError = Mix_GetError();
}

bool SdlMixerBackend::loadTrack(MusicTrack track, const std::string& fileName, std::string& error) {
    // SDL_mixer would load the file without a device and then play it into nothing; failing
    // the load instead tells the player, with each track's warning, why there is no music.
    if (!deviceOpen) {
        error = openError;
        return false;
    }
    // SDL_mixer reads the track from these bytes while it plays, so they stay with it.
    std::string& bytes = trackBytes[indexOf(track)];
    if (!readTrack(fileName, bytes, error))
        return false;
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    Mix_Music* music = source != nullptr ? Mix_LoadMUS_RW(source) : nullptr;
    if (music == nullptr) {
        error = Mix_GetError();
        if (source != nullptr)
            SDL_FreeRW(source);
        std::string().swap(bytes);
        return false;
    }
    tracks[indexOf(track)] = music;
    return true;
}

void SdlMixerBackend::playTrack(MusicTrack track, int count) {
    SDL_LockAudio();
    playNumber.store(playNumber.load() + 1);
    Mix_PlayMusic(tracks[indexOf(track)], count);
    SDL_UnlockAudio();
}

void SdlMixerBackend::pauseMusic() {
    Mix_PauseMusic();
}

void SdlMixerBackend::installFinishedNotification() {
    Mix_HookMusicFinished(reportMusicFinished);
}

void SdlMixerBackend::removeFinishedNotification() {
    Mix_HookMusicFinished(nullptr);
}
