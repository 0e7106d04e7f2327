#include "Scores.h"

#include "Composing.h"

namespace {

constexpr int SAMPLES_PER_BEAT = 12600; // 105 beats a minute
constexpr int BARS = 32;
constexpr int LOWEST_BASS = 35; // B1
constexpr Effects GAME_EFFECTS = {0.75, 0.3f, 0.7f, 0.5f, 0.7f};

const Voicings VOICINGS = {
    {"Em9", "D4+F#4+G4+B4"},   {"Em7", "D4+E4+G4+B4"},  {"Cmaj9", "D4+E4+G4+B4"},
    {"Gmaj7", "F#4+G4+B4+D5"}, {"D", "D4+E4+F#4+A4"},   {"D/F#", "D4+E4+F#4+A4"},
    {"Am7", "C4+E4+G4+A4"},    {"Bm7", "D4+F#4+A4+B4"}, {"B7sus4", "E4+F#4+A4+B4"},
    {"B7", "D#4+F#4+A4+B4"},
};

// A sets the groove, B brings the tune over the same chords, C turns to the relative major
// with lighter drums, D is B again at full strength. B7 ends every section and leads home.
const std::string CHART_A = "Em9 | Cmaj9 | Gmaj7 | D/F# | Em9 | Cmaj9 | Am7 | B7sus4 B7 |";
const std::string CHART_C = "Cmaj9 | D | Bm7 | Em7 | Am7 | D | Gmaj7 | B7sus4 B7 |";
const std::string LOOP_CHART = CHART_A + CHART_A + CHART_C + CHART_A;

const std::string CALL = ". . . . . . . . | . . . . . . . . | . . . . . . . . | . . . . . . . . |"
                         "B4 - - - - - - - | G4 - - - - - - - | A4 - - - C5 - - - |"
                         "B4 - - - - - . . |";
const std::string TUNE_B = "B4 - - E5 - - F#5 G5 | F#5 - - E5 - - B4 - |"
                           "D5 - - G5 - - A5 B5 | A5 - - - F#5 - D5 - |"
                           "E5 - - B4 - - E5 F#5 | G5 - - F#5 - - E5 - |"
                           "C5 - - E5 - - G5 A5 | F#5 - - E5 D#5 - - . |";
const std::string TUNE_C = "E5 . G5 . B5 - A5 G5 | F#5 - - E5 D5 - . . |"
                           "D5 . F#5 . A5 - E5 F#5 | E5 - - - B4 - . . |"
                           "C5 . E5 . A5 - G5 E5 | F#5 - - E5 D5 - A4 - |"
                           "B4 - D5 - F#5 - A5 - | B5 - - A5 F#5 - D#5 - |";

const std::string EIGHTH_REST = ". . . . . . . . |";
const std::string SIXTEENTH_REST = ". . . . . . . . . . . . . . . . |";
const std::string ARPEGGIO = "0 . 2 3 . 2 4 . 1 . 3 4 . 3 2 .";
const std::string BASS_LIGHT = "R - - - . . R . R - - - . . R .";
const std::string BASS_DRIVE = "R - . R . R O . R - . R . R F .";
const std::string BASS_TURN = "R - - . R - - . R - . R . . O .";

const std::string KICK_LIGHT = "x . . . . . . . x . . . . . . . |";
const std::string KICK_DRIVE = "x . . . . . x . x . . . . . . . |";
const std::string KICK_HALF = "x . . . . . . . . . . . . . . . |";
const std::string KICK_BUILD = "x . . . . . . . x . . . x . x . |";
const std::string SNARE = ". . . . x . . o . . . . x . . . |";
const std::string SNARE_FILL = ". . . . x . . . . . . o x . x x |";
const std::string SNARE_BUILD = ". . . . . . . . x . x . x x X X |";
const std::string RIM = ". . . . x . . . . . . . x . . . |";
const std::string HAT_EIGHTHS = "x . x . x . x . x . x . x . x . |";
const std::string HAT_SIXTEENTHS = "x o x o x o x o x o x o x o x o |";
const std::string OPEN_HAT = ". . x . . . x . . . x . . . x . |";
const std::string SHAKER = "o o x o o o x o o o x o o o x o |";

// Eight bars of a drum line: seven of one bar, then the last bar.
std::string playSection(const std::string& bar, const std::string& lastBar) {
    return repeatBars(bar, 7) + lastBar;
}

std::string playSilence(const std::string& restBar) {
    return repeatBars(restBar, 8);
}

std::vector<Part> arrangeDrums() {
    const std::string kick =
        playSection(KICK_LIGHT, KICK_LIGHT) + playSection(KICK_DRIVE, KICK_DRIVE) +
        playSection(KICK_HALF, KICK_BUILD) + playSection(KICK_DRIVE, KICK_DRIVE);
    const std::string snare = repeatBars(SIXTEENTH_REST, 4) + repeatBars(SNARE, 3) + SNARE_FILL +
                              playSection(SNARE, SNARE_FILL) +
                              playSection(SIXTEENTH_REST, SNARE_BUILD) +
                              playSection(SNARE, SNARE_FILL);
    const std::string rim = playSilence(SIXTEENTH_REST) + playSilence(SIXTEENTH_REST) +
                            playSection(RIM, SIXTEENTH_REST) + playSilence(SIXTEENTH_REST);
    const std::string hat = playSilence(HAT_EIGHTHS) + playSilence(HAT_SIXTEENTHS) +
                            playSilence(SIXTEENTH_REST) + playSilence(HAT_SIXTEENTHS);
    const std::string openHat = repeatBars(SIXTEENTH_REST, 24) + playSilence(OPEN_HAT);
    const std::string shaker =
        repeatBars(SIXTEENTH_REST, 16) + playSilence(SHAKER) + playSilence(SIXTEENTH_REST);
    return {
        {Instrument::Kick, 4, kick, 0.85f, 0.0f, 0.04f, 0.0f},
        {Instrument::Snare, 4, snare, 0.7f, 0.1f, 0.25f, 0.0f},
        {Instrument::Rim, 4, rim, 0.8f, -0.2f, 0.35f, 0.15f},
        {Instrument::Hat, 4, hat, 0.6f, 0.3f, 0.1f, 0.0f},
        {Instrument::OpenHat, 4, openHat, 0.55f, -0.3f, 0.15f, 0.0f},
        {Instrument::Shaker, 4, shaker, 0.6f, 0.35f, 0.25f, 0.0f},
    };
}

std::string playBass() {
    std::string bass = walkBass(CHART_A, BASS_LIGHT, LOWEST_BASS);
    bass += walkBass(CHART_A, BASS_DRIVE, LOWEST_BASS);
    bass += walkBass(CHART_C, BASS_TURN, LOWEST_BASS);
    return bass + walkBass(CHART_A, BASS_DRIVE, LOWEST_BASS);
}

} // namespace

Score composeGame() {
    const std::string tune = CALL + TUNE_B + TUNE_C + TUNE_B;
    const std::string sparkle = repeatBars(EIGHTH_REST, 24) + transposeNotes(TUNE_B, 12);
    std::vector<Part> parts = {
        {Instrument::Pad, 1, holdChords(LOOP_CHART, VOICINGS, 4), 0.2f, 0.0f, 0.5f, 0.0f},
        {Instrument::Lead, 2, tune, 0.5f, 0.15f, 0.35f, 0.25f},
        {Instrument::Celesta, 2, sparkle, 0.55f, -0.35f, 0.5f, 0.3f},
        {Instrument::Pluck, 4, arpeggiate(LOOP_CHART, VOICINGS, ARPEGGIO, 0), 0.36f, -0.4f, 0.3f,
         0.35f},
        {Instrument::SynthBass, 4, playBass(), 0.55f, 0.0f, 0.0f, 0.0f},
    };
    for (Part& drum : arrangeDrums())
        parts.push_back(drum);
    return {SAMPLES_PER_BEAT, 4, BARS, GAME_EFFECTS, parts};
}
