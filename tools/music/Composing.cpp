#include "Composing.h"

#include "Pattern.h"

#include <iterator>
#include <sstream>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;

Tokens splitTokens(const std::string& text, char separator = ' ') {
    Tokens tokens;
    std::istringstream stream(text);
    std::string token;
    while (std::getline(stream, token, separator))
        if (!token.empty())
            tokens.push_back(token);
    return tokens;
}

// The bars of a chart, each a list of one or more chord names.
std::vector<Tokens> splitChart(const std::string& chart) {
    std::vector<Tokens> bars;
    for (const std::string& bar : splitTokens(chart, '|')) {
        std::istringstream stream(bar);
        Tokens chords{std::istream_iterator<std::string>(stream), {}};
        if (!chords.empty())
            bars.push_back(chords);
    }
    return bars;
}

std::string joinBar(const Tokens& tokens) {
    std::string bar;
    for (const std::string& token : tokens)
        bar += token + " ";
    return bar + "| ";
}

std::string findVoicing(const Voicings& voicings, const std::string& chord) {
    auto found = voicings.find(chord);
    return found == voicings.end() ? "?" + chord : found->second;
}

// The pitch class (0 for C) of a chord's bass note: after a "/", else its letter.
int findRootClass(const std::string& chord) {
    const size_t slash = chord.find('/');
    std::string root = slash == std::string::npos ? chord : chord.substr(slash + 1);
    const size_t letters = root.size() > 1 && (root[1] == '#' || root[1] == 'b') ? 2 : 1;
    std::optional<int> midi = parseNoteName(root.substr(0, letters) + "4");
    return midi ? *midi % 12 : -1;
}

std::string playFigureStep(const std::string& step, int root) {
    if (step == "R")
        return nameNote(root);
    if (step == "F")
        return nameNote(root + 7);
    if (step == "O")
        return nameNote(root + 12);
    if (step == "L")
        return nameNote(root - 5);
    return step;
}

} // namespace

std::string holdChords(const std::string& chart, const Voicings& voicings, int stepsPerBar) {
    std::string pattern;
    for (const Tokens& chords : splitChart(chart)) {
        Tokens steps(stepsPerBar, "-");
        for (size_t i = 0; i < chords.size(); ++i)
            steps[i * stepsPerBar / chords.size()] = findVoicing(voicings, chords[i]);
        pattern += joinBar(steps);
    }
    return pattern;
}

std::string arpeggiate(const std::string& chart, const Voicings& voicings, const std::string& order,
                       int transpose) {
    const Tokens picks = splitTokens(order);
    std::string pattern;
    for (const Tokens& chords : splitChart(chart)) {
        Tokens steps;
        for (size_t i = 0; i < picks.size(); ++i) {
            const std::string& chord = chords[i * chords.size() / picks.size()];
            const Tokens notes = splitTokens(findVoicing(voicings, chord), '+');
            if (picks[i].empty() || picks[i][0] < '0' || picks[i][0] > '9') {
                steps.push_back(picks[i]);
                continue;
            }
            const size_t pick = size_t(picks[i][0] - '0');
            const std::string note = notes[pick % notes.size()] + picks[i].substr(1);
            steps.push_back(transposeNotes(note, transpose + 12 * int(pick / notes.size())));
        }
        pattern += joinBar(steps);
    }
    return pattern;
}

std::string walkBass(const std::string& chart, const std::string& figure, int lowestMidi) {
    const Tokens steps = splitTokens(figure);
    std::string pattern;
    for (const Tokens& chords : splitChart(chart)) {
        Tokens bar;
        for (size_t i = 0; i < steps.size(); ++i) {
            const int rootClass = findRootClass(chords[i * chords.size() / steps.size()]);
            const int root = lowestMidi + ((rootClass - lowestMidi) % 12 + 12) % 12;
            bar.push_back(rootClass < 0 ? "?" : playFigureStep(steps[i], root));
        }
        pattern += joinBar(bar);
    }
    return pattern;
}

std::string transposeNotes(const std::string& pattern, int semitones) {
    // Bar lines may touch the notes beside them.
    std::string spaced;
    for (char c : pattern)
        spaced += c == '|' ? std::string(" | ") : std::string(1, c);
    std::string moved;
    for (const std::string& token : splitTokens(spaced)) {
        std::string mark;
        std::string notes = token;
        if (notes.size() > 1 && (notes.back() == '!' || notes.back() == '?')) {
            mark = notes.back();
            notes.pop_back();
        }
        std::string chord;
        for (const std::string& note : splitTokens(notes, '+')) {
            std::optional<int> midi = parseNoteName(note);
            chord += (chord.empty() ? "" : "+") + (midi ? nameNote(*midi + semitones) : note);
        }
        moved += (moved.empty() ? "" : " ") + (chord.empty() ? token : chord + mark);
    }
    return moved;
}

std::string repeatBars(const std::string& bars, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += bars + " | ";
    return repeated;
}
