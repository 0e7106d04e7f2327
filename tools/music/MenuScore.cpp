#include "Scores.h"

#include "Composing.h"

namespace {

constexpr int SAMPLES_PER_BEAT = 14700; // 90 beats a minute
constexpr int LOWEST_BASS = 38;         // D2
constexpr Effects MENU_EFFECTS = {0.75, 0.35f, 0.85f, 0.5f, 0.9f};

const Voicings VOICINGS = {
    {"Am9", "C4+E4+G4+B4"},    {"Am7", "C4+E4+G4+A4"}, {"Fmaj9", "C4+E4+G4+A4"},
    {"Cmaj9", "E4+G4+B4+D5"},  {"G6", "D4+E4+G4+B4"},  {"G7", "D4+F4+G4+B4"},
    {"Dm9", "C4+E4+F4+A4"},    {"Dm7", "C4+D4+F4+A4"}, {"Em7", "D4+E4+G4+B4"},
    {"E7sus4", "D4+E4+A4+B4"}, {"E7", "D4+E4+G#4+B4"},
};

// The sections: A states the tune, B answers it higher up, A comes back fuller. Every section
// ends on E7, which leads back to A minor wherever it goes next.
const std::string CHART_A = "Am9 | Fmaj9 | Cmaj9 | G6 | Am9 | Fmaj9 | Dm9 | E7sus4 E7 |";
const std::string CHART_B = "Fmaj9 | G6 | Em7 | Am7 | Dm7 | G7 | Cmaj9 | E7sus4 E7 |";
const std::string LOOP_CHART = CHART_A + CHART_B + CHART_A;
const std::string INTRO_CHART = "Am9 | Fmaj9 | Dm9 | E7sus4 E7 |";

const std::string TUNE_A = "A4 . C5 E5 D5 . C5 . | E5 - - - G4 . A4 . |"
                           "B4 . D5 G5 E5 . D5 . | D5 - - - B4 - . . |"
                           "A4 . C5 E5 D5 . C5 E5 | G5 - - F5 E5 . C5 . |"
                           "D5 . F5 E5 D5 . C5 A4 |";
const std::string TUNE_B = "A5 - - - G5 - E5 - | D5 - - - E5 - G5 - |"
                           "B5 - - - A5 - G5 - | E5 - - - - - . . |"
                           "F5 - - - E5 - D5 - | B4 - - - D5 - F5 - |"
                           "E5 - - - G5 - B5 - | A5 - - - G#5 - - . |";
const std::string TUNE_TURN = "B4 - - A4 G#4 - - . |"; // the sus4 falling to the leading note
const std::string INTRO_SPARKLE = "A4 . E5 . B5 - - . | A5 . E5 . C6 - - . | F5 . A5 . E5 - - . |";

const std::string EIGHTH_REST = ". . . . . . . . |";
const std::string SIXTEENTH_REST = ". . . . . . . . . . . . . . . . |";
const std::string KICK = "x . . . . . x . . . . . . . . . |";
const std::string RIM = ". . . . . . . . x . . . . . . . |";
const std::string RIM_FILL = ". . . . . . . . x . . . x . o x |";
const std::string SHAKER_LIGHT = "o . x . o . x . o . x . o . x . |";
const std::string SHAKER_FULL = "o o x o o o x o o o x o o o x o |";

const std::string ARPEGGIO = "0 1 2 3 4 3 2 1";
const std::string BASS_FIGURE = "R - - R - - F -";

// The lines of one menu piece; the intro and the loop share the instruments and their mix.
struct MenuLines {
    std::string chords;
    std::string tune;
    std::string sparkle;
    std::string arpeggio;
    std::string bass;
    std::string kick;
    std::string rim;
    std::string shaker;
};

Score arrangeMenu(int bars, const MenuLines& lines) {
    return {SAMPLES_PER_BEAT,
            4,
            bars,
            MENU_EFFECTS,
            {
                {Instrument::Pad, 1, lines.chords, 0.3f, 0.0f, 0.5f, 0.0f},
                {Instrument::Mallet, 2, lines.tune, 1.15f, 0.25f, 0.35f, 0.2f},
                {Instrument::Celesta, 2, lines.sparkle, 0.63f, -0.3f, 0.6f, 0.35f},
                {Instrument::Pluck, 2, lines.arpeggio, 0.4f, -0.45f, 0.4f, 0.3f},
                {Instrument::Bass, 2, lines.bass, 0.53f, 0.0f, 0.0f, 0.0f},
                {Instrument::Kick, 4, lines.kick, 0.9f, 0.0f, 0.05f, 0.0f},
                {Instrument::Rim, 4, lines.rim, 0.9f, -0.15f, 0.4f, 0.15f},
                {Instrument::Shaker, 4, lines.shaker, 0.7f, 0.3f, 0.3f, 0.0f},
            }};
}

} // namespace

Score composeMenuLoop() {
    MenuLines lines;
    lines.chords = holdChords(LOOP_CHART, VOICINGS, 4);
    lines.tune = TUNE_A + TUNE_TURN + repeatBars(EIGHTH_REST, 8) + TUNE_A + TUNE_TURN;
    lines.sparkle = repeatBars(EIGHTH_REST, 8) + TUNE_B + transposeNotes(TUNE_A + TUNE_TURN, 12);
    lines.arpeggio =
        repeatBars(EIGHTH_REST, 8) + arpeggiate(CHART_B + CHART_A, VOICINGS, ARPEGGIO, 0);
    lines.bass = walkBass(LOOP_CHART, BASS_FIGURE, LOWEST_BASS);
    lines.kick = repeatBars(KICK, 24);
    lines.rim = repeatBars(repeatBars(RIM, 7) + RIM_FILL, 3);
    lines.shaker = repeatBars(SHAKER_LIGHT, 8) + repeatBars(SHAKER_FULL, 16);
    return arrangeMenu(24, lines);
}

// The intro gathers the band one by one over the loop's harmony, then plays the loop's last bar.
Score composeMenuIntro() {
    MenuLines lines;
    lines.chords = holdChords(INTRO_CHART, VOICINGS, 4);
    lines.tune = repeatBars(EIGHTH_REST, 3) + TUNE_TURN;
    lines.sparkle = INTRO_SPARKLE + transposeNotes(TUNE_TURN, 12);
    lines.arpeggio = EIGHTH_REST + arpeggiate("Fmaj9 | Dm9 | E7sus4 E7 |", VOICINGS, ARPEGGIO, 0);
    lines.bass =
        repeatBars(EIGHTH_REST, 2) + walkBass("Dm9 | E7sus4 E7 |", BASS_FIGURE, LOWEST_BASS);
    lines.kick = repeatBars(SIXTEENTH_REST, 3) + KICK;
    lines.rim = repeatBars(SIXTEENTH_REST, 3) + RIM_FILL;
    lines.shaker = repeatBars(SIXTEENTH_REST, 2) + SHAKER_LIGHT + SHAKER_FULL;
    return arrangeMenu(4, lines);
}
