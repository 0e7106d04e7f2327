// Reads a part's step pattern into timed note events, and note names into pitches.
#pragma once

#include "Score.h"

#include <optional>
#include <string>
#include <vector>

struct NoteEvent {
    long startSample;
    long lengthSamples;
    float frequency; // Hz; 0 for a drum hit
    float velocity;  // 0 … 1
    unsigned seed;   // fixed per part and step, so every pass of a loop sounds the same
};

// The MIDI note number of a name such as "C4", "F#3" or "Bb2"; none for anything else.
std::optional<int> parseNoteName(const std::string& name);

// The name of a MIDI note number, spelt with sharps: 61 is "C#4".
std::string nameNote(int midi);

float findFrequency(int midi);

// The events of one part, or none with a one-line reason in error when the pattern is
// malformed. partIndex only varies the seeds between parts.
std::optional<std::vector<NoteEvent>> readPattern(const Part& part, const Score& score,
                                                  unsigned partIndex, std::string& error);
