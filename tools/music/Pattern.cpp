#include "Pattern.h"

#include <cmath>
#include <iterator>
#include <sstream>

namespace {

constexpr float PLAIN_VELOCITY = 0.8f;
constexpr float ACCENT_VELOCITY = 1.0f;
constexpr float SOFT_VELOCITY = 0.5f;
constexpr float HUMAN_SPREAD = 0.12f; // relative velocity wobble, so repeats do not sound pasted

unsigned hashStep(unsigned partIndex, long step) {
    unsigned h = partIndex * 0x9E3779B9u ^ unsigned(step) * 0x85EBCA6Bu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h ? h : 1u;
}

bool isDrum(Instrument instrument) {
    return instrument >= Instrument::Kick;
}

// A token's velocity mark, removed from the token.
float takeVelocity(std::string& token, float plain) {
    if (token.size() > 1 && token.back() == '!') {
        token.pop_back();
        return ACCENT_VELOCITY;
    }
    if (token.size() > 1 && token.back() == '?') {
        token.pop_back();
        return SOFT_VELOCITY;
    }
    return plain;
}

std::optional<std::vector<float>> readPitches(const std::string& token) {
    std::vector<float> pitches;
    std::istringstream notes(token);
    std::string name;
    while (std::getline(notes, name, '+')) {
        std::optional<int> midi = parseNoteName(name);
        if (!midi)
            return std::nullopt;
        pitches.push_back(findFrequency(*midi));
    }
    return pitches;
}

float findDrumVelocity(const std::string& token) {
    if (token == "X")
        return ACCENT_VELOCITY;
    if (token == "x")
        return PLAIN_VELOCITY;
    if (token == "o")
        return SOFT_VELOCITY * 0.8f;
    return -1.0f;
}

// Splits the pattern into bars of tokens, checking that every bar has its full number of steps.
std::optional<std::vector<std::string>> splitSteps(const std::string& pattern, int stepsPerBar,
                                                   std::string& error) {
    std::vector<std::string> steps;
    std::istringstream bars(pattern);
    std::string bar;
    int barNumber = 0;
    while (std::getline(bars, bar, '|')) {
        std::istringstream tokens(bar);
        std::vector<std::string> barSteps{std::istream_iterator<std::string>(tokens), {}};
        if (barSteps.empty())
            continue;
        ++barNumber;
        if (int(barSteps.size()) != stepsPerBar) {
            error = "bar " + std::to_string(barNumber) + " has " + std::to_string(barSteps.size()) +
                    " steps instead of " + std::to_string(stepsPerBar);
            return std::nullopt;
        }
        steps.insert(steps.end(), barSteps.begin(), barSteps.end());
    }
    return steps;
}

// Adds the notes of one token, all starting as start does, or gives the reason it is not one.
bool addStep(std::string token, bool drum, NoteEvent start, std::vector<NoteEvent>& events,
             std::string& error) {
    const float wobble = 1.0f + HUMAN_SPREAD * ((start.seed & 0xFFFF) / 65535.0f - 0.5f);
    if (drum) {
        const float velocity = findDrumVelocity(token);
        if (velocity < 0.0f) {
            error = "\"" + token + "\" is not a drum hit";
            return false;
        }
        start.velocity = velocity * wobble;
        events.push_back(start);
        return true;
    }
    start.velocity = takeVelocity(token, PLAIN_VELOCITY) * wobble;
    std::optional<std::vector<float>> pitches = readPitches(token);
    if (!pitches) {
        error = "\"" + token + "\" is not a note or chord";
        return false;
    }
    for (float pitch : *pitches) {
        start.frequency = pitch;
        events.push_back(start);
        ++start.seed; // chord notes start in different phases
    }
    return true;
}

} // namespace

std::optional<int> parseNoteName(const std::string& name) {
    static const int SEMITONES[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G from C
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
        return std::nullopt;
    int semitone = SEMITONES[name[0] - 'A'];
    size_t at = 1;
    if (name[at] == '#' || name[at] == 'b')
        semitone += name[at++] == '#' ? 1 : -1;
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '8')
        return std::nullopt;
    return (name[at] - '0' + 1) * 12 + semitone;
}

std::string nameNote(int midi) {
    static const char* NAMES[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    return NAMES[midi % 12] + std::to_string(midi / 12 - 1);
}

float findFrequency(int midi) {
    return float(440.0 * std::pow(2.0, (midi - 69) / 12.0));
}

std::optional<std::vector<NoteEvent>> readPattern(const Part& part, const Score& score,
                                                  unsigned partIndex, std::string& error) {
    if (part.stepsPerBeat <= 0 || score.samplesPerBeat % part.stepsPerBeat != 0) {
        error = "the beat does not divide into whole-sample steps";
        return std::nullopt;
    }
    const int stepsPerBar = part.stepsPerBeat * score.beatsPerBar;
    std::optional<std::vector<std::string>> steps = splitSteps(part.pattern, stepsPerBar, error);
    if (!steps)
        return std::nullopt;
    if (long(steps->size()) != long(stepsPerBar) * score.bars) {
        error = "the pattern has " + std::to_string(steps->size() / stepsPerBar) +
                " bars instead of " + std::to_string(score.bars);
        return std::nullopt;
    }
    const long stepSamples = score.samplesPerBeat / part.stepsPerBeat;
    std::vector<NoteEvent> events;
    size_t chordBegin = 0; // the events a "-" lengthens
    for (long step = 0; step < long(steps->size()); ++step) {
        const std::string& token = (*steps)[step];
        if (token == "-") {
            for (size_t i = chordBegin; i < events.size(); ++i)
                events[i].lengthSamples += stepSamples;
            continue;
        }
        chordBegin = events.size();
        const NoteEvent start = {step * stepSamples, stepSamples, 0.0f, 0.0f,
                                 hashStep(partIndex, step)};
        if (token != "." && !addStep(token, isDrum(part.instrument), start, events, error))
            return std::nullopt;
    }
    return events;
}
