// Composes the game's music and sound effects: renders the menu intro, the menu loop, the game
// loop and every effect into 16-bit stereo WAV files for the encoder, and measures them for
// clicks and levels.
//
//   compose OUTPUT_DIR            writes menu_intro.wav, menu.wav and game.wav there
//   compose --sounds OUTPUT_DIR   writes every sound effect there, as NAME.wav
//   compose --check FILE [NEXT]   levels of a WAV file, and the seam from its end into the
//                                 start of NEXT, or into its own start when NEXT is missing
//   compose --levels FILE...      levels of WAV files, with the RMS of their loudest 50 ms

#include "Mastering.h"
#include "Mixer.h"
#include "Scores.h"
#include "SoundEffects.h"
#include "Wav.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr double TARGET_RMS_DB = -16.0;   // comfortably loud, with room for the drums
constexpr double LIMIT_KNEE_DB = -8.0;    // samples below this pass untouched
constexpr double LIMIT_CEILING_DB = -2.5; // under -1 dBFS with room for the encoder's overshoot
constexpr double HANDOVER_SECONDS = 0.25; // the intro's fade into the loop's own ending

std::optional<StereoBuffer> renderOrReport(const char* name, const Score& score, bool loop) {
    std::string error;
    std::optional<StereoBuffer> buffer =
        loop ? renderLoop(score, error) : renderScore(score, 1, 0.0, error);
    if (!buffer)
        std::fprintf(stderr, "compose: %s: %s\n", name, error.c_str());
    return buffer;
}

// Brings the loop to the target loudness and the other tracks by the same gain, so tracks
// that play one after the other match, then bends the few peaks under the ceiling.
void master(StereoBuffer& loop, StereoBuffer* partner) {
    const float gain = fromDecibels(TARGET_RMS_DB) / float(measureRms(loop));
    for (StereoBuffer* track : {&loop, partner}) {
        if (!track)
            continue;
        scaleBuffer(*track, gain);
        limitPeaks(*track, fromDecibels(LIMIT_KNEE_DB), fromDecibels(LIMIT_CEILING_DB));
    }
}

bool writeOrReport(const std::string& path, const StereoBuffer& buffer) {
    if (writeWav(path, buffer))
        return true;
    std::fprintf(stderr, "compose: couldn't write %s\n", path.c_str());
    return false;
}

int composeAll(const std::string& directory) {
    std::optional<StereoBuffer> intro = renderOrReport("menu intro", composeMenuIntro(), false);
    std::optional<StereoBuffer> menu = renderOrReport("menu", composeMenuLoop(), true);
    std::optional<StereoBuffer> game = renderOrReport("game", composeGame(), true);
    if (!intro || !menu || !game)
        return 1;
    blendEnding(*intro, *menu, long(HANDOVER_SECONDS * SAMPLE_RATE));
    master(*menu, &*intro);
    master(*game, nullptr);
    const bool written = writeOrReport(directory + "/menu_intro.wav", *intro) &&
                         writeOrReport(directory + "/menu.wav", *menu) &&
                         writeOrReport(directory + "/game.wav", *game);
    return written ? 0 : 1;
}

int composeSounds(const std::string& directory) {
    for (const SoundRecipe& recipe : listSoundRecipes())
        if (!writeOrReport(directory + "/" + recipe.name + ".wav", renderSound(recipe)))
            return 1;
    return 0;
}

int describeFiles(char** paths, int count) {
    for (int i = 0; i < count; ++i) {
        std::optional<StereoBuffer> sound = readWav(paths[i]);
        if (!sound) {
            std::fprintf(stderr, "compose: couldn't read %s as 16-bit stereo WAV at %d Hz\n",
                         paths[i], SAMPLE_RATE);
            return 1;
        }
        std::printf("%s, loudest 50 ms %.2f dBFS\n", describeLevels(paths[i], *sound).c_str(),
                    toDecibels(measureLoudestRms(*sound)));
    }
    return 0;
}

int checkFiles(const std::string& path, const std::string& nextPath) {
    std::optional<StereoBuffer> track = readWav(path);
    std::optional<StereoBuffer> next = nextPath.empty() ? track : readWav(nextPath);
    if (!track || !next) {
        std::fprintf(stderr, "compose: couldn't read %s as 16-bit stereo WAV at %d Hz\n",
                     (!track ? path : nextPath).c_str(), SAMPLE_RATE);
        return 1;
    }
    std::printf("%s\n", describeLevels(path, *track).c_str());
    const std::string seamName = path + " -> " + (nextPath.empty() ? path : nextPath);
    std::printf("%s\n", describeSeam(seamName, measureSeam(*track, *next)).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]).rfind("--", 0) != 0)
        return composeAll(argv[1]);
    if (argc == 3 && std::string(argv[1]) == "--sounds")
        return composeSounds(argv[2]);
    if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--check")
        return checkFiles(argv[2], argc == 4 ? argv[3] : "");
    if (argc >= 3 && std::string(argv[1]) == "--levels")
        return describeFiles(argv + 2, argc - 2);
    std::fprintf(stderr,
                 "usage: compose OUTPUT_DIR | compose --sounds OUTPUT_DIR |\n"
                 "       compose --check FILE.wav [NEXT.wav] | compose --levels FILE.wav...\n");
    return 2;
}
