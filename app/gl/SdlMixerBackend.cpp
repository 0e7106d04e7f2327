#include "app/gl/SdlMixerBackend.h"

#include "base/FileIO.h"

#include <SDL_mixer.h>

#include <atomic>

namespace {

// SDL_mixer streams Ogg Vorbis from the file, but reads some formats (modules) whole,
// whatever the file's name. A shipped track is about a megabyte; an hour of music at the
// highest Vorbis quality stays under this.
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
    // SDL_mixer opens the file itself and would wait for ever on a FIFO or stream a device.
    ReadStatus status = inspectFile(fileName, MAX_TRACK_FILE_BYTES);
    if (status == ReadStatus::NotRegularFile || status == ReadStatus::TooBig) {
        error = fileName + (status == ReadStatus::TooBig
                                ? " is larger than " + describeByteCount(MAX_TRACK_FILE_BYTES)
                                : std::string(" is not a regular file"));
        return false;
    }
    Mix_Music* music = Mix_LoadMUS(fileName.c_str());
    tracks[indexOf(track)] = music;
    if (music == nullptr)
        error = Mix_GetError();
    return music != nullptr;
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
