// What a piece of music is written as: parts of step patterns at one tempo, each played by a
// synthesised instrument, and the echo and reverb the whole piece shares.
#pragma once

#include <string>
#include <vector>

constexpr int SAMPLE_RATE = 22050; // Hz, the rate the game opens its audio device at

enum class Instrument {
    Mallet,
    Celesta,
    Pad,
    Bass,
    SynthBass,
    Pluck,
    Lead,
    Kick,
    Snare,
    Rim,
    Hat,
    OpenHat,
    Shaker
};

// One line of the score. The pattern has one token a step: a note ("C#5"), a chord
// ("A3+C4+E4"), a drum hit ("x", accented "X", ghost "o"), "-" to hold the previous note, "." to
// rest. A "!" after a note accents it, a "?" softens it. "|" marks bar lines, and a bar with the
// wrong number of steps is an error, which catches most slips while composing.
struct Part {
    Instrument instrument;
    int stepsPerBeat;
    std::string pattern;
    float volume;     // linear gain
    float pan;        // -1 left … 1 right
    float reverbSend; // linear gain into the reverb
    float delaySend;  // linear gain into the echo
};

struct Effects {
    double delayBeats;   // echo time; the echo alternates between the channels
    float delayFeedback; // 0 … 1
    float reverbRoom;    // 0 … 1, longer tail when larger
    float reverbDamping; // 0 … 1, darker tail when larger
    float reverbLevel;   // linear gain of the reverb return
};

struct Score {
    int samplesPerBeat; // whole, so that every step and bar begins on a sample
    int beatsPerBar;
    int bars;
    Effects effects;
    std::vector<Part> parts;
};

inline long countLoopSamples(const Score& score) {
    return long(score.samplesPerBeat) * score.beatsPerBar * score.bars;
}
