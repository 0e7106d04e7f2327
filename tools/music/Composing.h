// Shorthands the scores are written in: a chord chart expanded into held chords, arpeggios and
// bass lines, so that a change of harmony is made in one place. A chart is a string of bars
// separated by "|", each bar one chord name or two (the second starting half-way).
#pragma once

#include <map>
#include <string>

// How each chord name of a piece is voiced, e.g. {"Am9", "C4+E4+G4+B4"}.
using Voicings = std::map<std::string, std::string>;

// Every chord of the chart held for its share of the bar. A chord with no voicing comes out as
// a token the pattern reader rejects, naming the chord.
std::string holdChords(const std::string& chart, const Voicings& voicings, int stepsPerBar);

// Every bar of the chart broken into single notes by order, a bar of tokens: a digit picks a
// note of the current chord's voicing (counted from the lowest, wrapping upwards an octave),
// "-" and "." hold and rest. Notes are moved by transpose semitones.
std::string arpeggiate(const std::string& chart, const Voicings& voicings, const std::string& order,
                       int transpose);

// A bass line that plays figure, a bar of tokens, over every chord of the chart: "R" the root,
// "F" the fifth above, "O" the octave above, "L" the fifth below, or any note, "-" or ".". The
// root is the chord's letter, or the note after a "/", placed at or above lowestMidi.
std::string walkBass(const std::string& chart, const std::string& figure, int lowestMidi);

// The pattern with every note moved by semitones; other tokens are kept.
std::string transposeNotes(const std::string& pattern, int semitones);

std::string repeatBars(const std::string& bars, int times);
