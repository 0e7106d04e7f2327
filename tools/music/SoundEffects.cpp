#include "SoundEffects.h"

#include "Effects.h"
#include "Filters.h"
#include "Mastering.h"
#include "Pattern.h"
#include "Voices.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double TWO_PI = 6.283185307179586;
constexpr double FADE_IN_SECONDS = 0.002;
constexpr double FADE_OUT_SECONDS = 0.03;
constexpr double TAIL_FLOOR_DB = -66.0; // a tail that stays under this is cut
// Every effect's peaks stay under -12 dBFS: with the music's, which reach -3 dBFS, the sum
// stays under full scale.
constexpr double LIMIT_KNEE_DB = -15.0;
constexpr double LIMIT_CEILING_DB = -12.0;
constexpr double LOUDNESS_WINDOW_SECONDS = 0.05;

// The game music's room (its reverb settings), which the effects share; no echo, which would
// blur the knocks.
constexpr Effects ROOM = {0.0, 0.0f, 0.7f, 0.5f, 0.7f};

long countSamples(double seconds) {
    return long(seconds * SAMPLE_RATE);
}

double toSeconds(long samples) {
    return double(samples) / SAMPLE_RATE;
}

double smoothStep(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

float pitchOf(const char* name) {
    return findFrequency(parseNoteName(name).value_or(69));
}

NoteEvent makeNote(double startSeconds, double lengthSeconds, const char* name, float velocity,
                   unsigned seed) {
    return {countSamples(startSeconds), countSamples(lengthSeconds), pitchOf(name), velocity, seed};
}

// The sound with the room's reverb of send times itself added.
void addRoom(StereoBuffer& sound, float send) {
    StereoBuffer sent = sound;
    scaleBuffer(sent, send);
    mixScaled(renderReverb(sent, ROOM), 1.0f, sound);
}

// A hard little ball against a wooden wall: a click, the wall's lowest modes ringing for a few
// hundredths of a second, and the dull thump of the board beneath. The seed moves the upper
// modes a little, as no two knocks on wood sound quite alike.
StereoBuffer renderKnock(unsigned seed, const char* note, float pan) {
    Noise noise{seed};
    const double spread = 1.0 + 0.04 * noise.next();
    const double pitch = pitchOf(note);
    struct Mode {
        double frequency, level, decaySeconds;
    };
    const Mode modes[] = {{pitch, 1.0, 0.032},
                          {pitch * 2.32 * spread, 0.4, 0.013},
                          {pitch * 4.13 * spread, 0.16, 0.006},
                          {96.0, 0.55, 0.02}};
    std::vector<float> mono(countSamples(0.22));
    for (const Mode& mode : modes) {
        double phase = 0.0;
        for (size_t i = 0; i < mono.size(); ++i) {
            mono[i] +=
                float(mode.level * std::exp(-toSeconds(i) / mode.decaySeconds) * std::sin(phase));
            phase += TWO_PI * mode.frequency / SAMPLE_RATE;
        }
    }
    Biquad click = makeBandPass(pitch * 2.7, 1.4);
    for (long i = 0; i < countSamples(0.008); ++i)
        mono[i] += 0.5f * float(std::exp(-toSeconds(i) / 0.0015)) * click.process(noise.next());
    for (long i = 0; i < countSamples(0.0008); ++i)
        mono[i] *= float(smoothStep(toSeconds(i) / 0.0008));
    StereoBuffer sound(long(mono.size()) + countSamples(0.15));
    mixMono(mono, 0, pan, sound);
    addRoom(sound, 0.12f);
    return sound;
}

// The ball rolls over a trap hole's rim and drops into the dark: a hollow tone sliding down
// from B4 to E3, and a muffled knock at the bottom.
StereoBuffer renderTrapDrop(unsigned seed) {
    constexpr double SLIDE = 0.34, STOP = 0.06, BOTTOM = 0.37; // seconds
    std::vector<float> mono(countSamples(0.8));
    const double from = pitchOf("B4"), to = pitchOf("E3");
    double phase = 0.0;
    for (long i = 0; i < countSamples(SLIDE + STOP); ++i) {
        const double t = toSeconds(i);
        const double frequency = from * std::pow(to / from, std::min(t / SLIDE, 1.0));
        const double level = smoothStep(t / 0.006) * (1.0 - 0.5 * std::min(t / SLIDE, 1.0)) *
                             (1.0 - smoothStep((t - SLIDE) / STOP));
        mono[i] = float(0.6 * level *
                        (std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.1 * std::sin(3 * phase)));
        phase += TWO_PI * frequency / SAMPLE_RATE;
    }
    Noise noise{seed};
    Biquad dull = makeBandPass(300.0, 0.8);
    phase = 0.0;
    for (long i = countSamples(BOTTOM); i < long(mono.size()); ++i) {
        const double t = toSeconds(i) - BOTTOM;
        const double level = smoothStep(t / 0.002) * std::exp(-t / 0.08);
        mono[i] += float(0.8 * level * std::sin(phase)) +
                   float(0.3 * level * std::exp(-t / 0.012)) * dull.process(noise.next());
        phase += TWO_PI * (52.0 + 45.0 * std::exp(-t / 0.03)) / SAMPLE_RATE;
    }
    StereoBuffer sound(long(mono.size()) + countSamples(0.8));
    mixMono(mono, 0, 0.0f, sound);
    addRoom(sound, 0.4f);
    return sound;
}

// A filter whose frequency moves: the new coefficients, the samples it holds kept.
void retune(Biquad& filter, const Biquad& tuned) {
    filter.b0 = tuned.b0;
    filter.b1 = tuned.b1;
    filter.b2 = tuned.b2;
    filter.a1 = tuned.a1;
    filter.a2 = tuned.a2;
}

// The ball drops off the floor's edge into the void: air rushing past, darker as it falls,
// and a whistle sliding down two octaves from E5 until it is gone. Nothing lands.
StereoBuffer renderGapDrop(unsigned seed) {
    constexpr double FALL = 1.0; // seconds
    const double from = pitchOf("E5"), to = pitchOf("E3");
    Noise noise{seed};
    Biquad air = makeBandPass(1500.0, 2.5);
    std::vector<float> mono(countSamples(FALL));
    double phase = 0.0;
    for (size_t i = 0; i < mono.size(); ++i) {
        const double t = toSeconds(long(i));
        const double fallen = t / FALL;
        if (i % 32 == 0)
            retune(air, makeBandPass(1500.0 * std::pow(200.0 / 1500.0, fallen), 2.5));
        const double envelope = smoothStep(t / 0.1) * std::exp(-t / 0.4) *
                                (1.0 - smoothStep((t - 0.8 * FALL) / (0.2 * FALL)));
        const double whistle = 0.3 * std::sin(phase) * smoothStep(t / 0.03);
        mono[i] = float(envelope * whistle) + float(envelope * 1.2) * air.process(noise.next());
        phase += TWO_PI * from * std::pow(to / from, fallen) / SAMPLE_RATE;
    }
    StereoBuffer sound(long(mono.size()) + countSamples(1.0));
    mixMono(mono, 0, 0.0f, sound);
    addRoom(sound, 0.55f);
    return sound;
}

struct Struck {
    void (*play)(const NoteEvent&, float, StereoBuffer&);
    double startSeconds, lengthSeconds;
    const char* note;
    float velocity, pan;
};

// Struck and plucked notes of the music's instruments, then the room.
StereoBuffer playNotes(unsigned seed, double seconds, const std::vector<Struck>& notes,
                       float send) {
    StereoBuffer sound(countSamples(seconds));
    for (size_t i = 0; i < notes.size(); ++i) {
        const Struck& n = notes[i];
        n.play(makeNote(n.startSeconds, n.lengthSeconds, n.note, n.velocity, seed + unsigned(i)),
               n.pan, sound);
    }
    addRoom(sound, send);
    return sound;
}

// A board won: a celesta runs up the E minor chord over a mallet's low E.
StereoBuffer renderGoal(unsigned seed) {
    return playNotes(seed, 2.4,
                     {{playMallet, 0.0, 0.3, "E4", 0.7f, 0.0f},
                      {playCelesta, 0.0, 0.1, "B4", 0.75f, -0.3f},
                      {playCelesta, 0.07, 0.1, "E5", 0.8f, -0.1f},
                      {playCelesta, 0.14, 0.1, "G5", 0.85f, 0.1f},
                      {playCelesta, 0.21, 0.5, "B5", 1.0f, 0.3f}},
                     0.45f);
}

// A new best time: the goal's run carried an octave higher and answered, over an E minor
// chord that swells and fades; twice as long as the goal's.
StereoBuffer renderBestTime(unsigned seed) {
    return playNotes(seed, 3.6,
                     {{playPad, 0.0, 1.3, "E3", 0.5f, 0.0f},
                      {playPad, 0.0, 1.3, "B3", 0.45f, 0.0f},
                      {playPad, 0.0, 1.3, "G4", 0.4f, 0.0f},
                      {playPad, 0.0, 1.3, "D5", 0.35f, 0.0f},
                      {playMallet, 0.0, 0.3, "E4", 0.7f, 0.0f},
                      {playCelesta, 0.0, 0.1, "E5", 0.75f, -0.35f},
                      {playCelesta, 0.08, 0.1, "G5", 0.8f, -0.15f},
                      {playCelesta, 0.16, 0.1, "B5", 0.85f, 0.05f},
                      {playCelesta, 0.24, 0.25, "E6", 0.95f, 0.25f},
                      {playPluck, 0.5, 0.12, "D5", 0.6f, 0.35f},
                      {playCelesta, 0.52, 0.1, "D6", 0.8f, 0.3f},
                      {playCelesta, 0.64, 0.1, "B5", 0.75f, 0.1f},
                      {playMallet, 0.8, 0.4, "E4", 0.6f, 0.0f},
                      {playCelesta, 0.8, 1.0, "E6", 1.0f, -0.1f}},
                     0.5f);
}

// A second of the time limit gone: a short, dry tap on a high bar at B5, like a clock's.
StereoBuffer renderClockTick(unsigned seed) {
    StereoBuffer sound = playNotes(seed, 0.5, {{playMallet, 0.0, 0.02, "B5", 0.9f, 0.0f}}, 0.0f);
    Noise noise{seed};
    Biquad click = makeBandPass(3200.0, 1.5);
    std::vector<float> tap(countSamples(0.01));
    for (size_t i = 0; i < tap.size(); ++i)
        tap[i] =
            0.25f * float(std::exp(-toSeconds(long(i)) / 0.0012)) * click.process(noise.next());
    mixMono(tap, 0, 0.0f, sound);
    addRoom(sound, 0.08f);
    return sound;
}

// The highlight moves to another line or value: a soft tap on a high bar at E6.
StereoBuffer renderMenuMove(unsigned seed) {
    return playNotes(seed, 0.6, {{playMallet, 0.0, 0.02, "E6", 0.7f, 0.0f}}, 0.15f);
}

// A line picked: two quick celesta notes rising a fourth, E5 to A5.
StereoBuffer renderMenuPick(unsigned seed) {
    return playNotes(
        seed, 1.2,
        {{playCelesta, 0.0, 0.05, "E5", 0.8f, -0.1f}, {playCelesta, 0.06, 0.15, "A5", 1.0f, 0.1f}},
        0.3f);
}

// Cuts the buffer after the last sample above the floor, leaving room for the fade.
void cutTail(StereoBuffer& sound) {
    const float floor = fromDecibels(TAIL_FLOOR_DB);
    long last = 0;
    for (long i = 0; i < sound.size(); ++i)
        if (std::fabs(sound.left[i]) > floor || std::fabs(sound.right[i]) > floor)
            last = i;
    const long keep = std::min(sound.size(), last + 1 + countSamples(FADE_OUT_SECONDS));
    sound.left.resize(keep);
    sound.right.resize(keep);
}

// Smooth ramps at both ends: a sound that starts or stops on a non-zero sample clicks.
void fadeEdges(StereoBuffer& sound) {
    const long in = std::min(sound.size(), countSamples(FADE_IN_SECONDS));
    const long out = std::min(sound.size(), countSamples(FADE_OUT_SECONDS));
    for (long i = 0; i < in; ++i) {
        const float gain = float(smoothStep(double(i) / in));
        sound.left[i] *= gain;
        sound.right[i] *= gain;
    }
    for (long k = 0; k < out; ++k) {
        const long i = sound.size() - out + k;
        const float gain = float(1.0 - smoothStep(double(k + 1) / out));
        sound.left[i] *= gain;
        sound.right[i] *= gain;
    }
}

} // namespace

const std::vector<SoundRecipe>& listSoundRecipes() {
    static const std::vector<SoundRecipe> RECIPES = {
        {"knock1", [](unsigned seed) { return renderKnock(seed, "E5", -0.1f); }, 11, -21.0},
        {"knock2", [](unsigned seed) { return renderKnock(seed, "D5", 0.1f); }, 12, -21.0},
        {"knock3", [](unsigned seed) { return renderKnock(seed, "B4", 0.0f); }, 13, -21.0},
        {"knock4", [](unsigned seed) { return renderKnock(seed, "G5", -0.05f); }, 14, -21.0},
        {"trap_drop", renderTrapDrop, 21, -23.0},
        {"gap_drop", renderGapDrop, 22, -24.0},
        {"goal", renderGoal, 31, -22.0},
        {"best_time", renderBestTime, 32, -21.0},
        {"clock_tick", renderClockTick, 41, -25.0},
        {"menu_move", renderMenuMove, 51, -29.0},
        {"menu_pick", renderMenuPick, 52, -26.0},
    };
    return RECIPES;
}

StereoBuffer renderSound(const SoundRecipe& recipe) {
    StereoBuffer sound = recipe.render(recipe.seed);
    removeOffset(sound);
    scaleBuffer(sound, fromDecibels(recipe.loudestDb) / float(measureLoudestRms(sound)));
    limitPeaks(sound, fromDecibels(LIMIT_KNEE_DB), fromDecibels(LIMIT_CEILING_DB));
    cutTail(sound);
    fadeEdges(sound);
    return sound;
}

double measureLoudestRms(const StereoBuffer& buffer) {
    const long window = std::min(buffer.size(), countSamples(LOUDNESS_WINDOW_SECONDS));
    if (window == 0)
        return 0.0;
    double sum = 0.0, loudest = 0.0;
    auto energy = [&buffer](long i) {
        return double(buffer.left[i]) * buffer.left[i] + double(buffer.right[i]) * buffer.right[i];
    };
    for (long i = 0; i < buffer.size(); ++i) {
        sum += energy(i);
        if (i >= window)
            sum -= energy(i - window);
        if (i >= window - 1)
            loudest = std::max(loudest, sum);
    }
    return std::sqrt(std::max(loudest, 0.0) / (2.0 * window));
}
