#include "Mixer.h"

#include "Drums.h"
#include "Effects.h"
#include "Pattern.h"
#include "Voices.h"

namespace {

void playInstrument(Instrument instrument, const NoteEvent& note, float pan, StereoBuffer& out) {
    switch (instrument) {
    case Instrument::Mallet:
        return playMallet(note, pan, out);
    case Instrument::Celesta:
        return playCelesta(note, pan, out);
    case Instrument::Pad:
        return playPad(note, pan, out);
    case Instrument::Bass:
        return playBass(note, pan, out);
    case Instrument::SynthBass:
        return playSynthBass(note, pan, out);
    case Instrument::Pluck:
        return playPluck(note, pan, out);
    case Instrument::Lead:
        return playLead(note, pan, out);
    case Instrument::Kick:
        return playKick(note, pan, out);
    case Instrument::Snare:
        return playSnare(note, pan, out);
    case Instrument::Rim:
        return playRim(note, pan, out);
    case Instrument::Hat:
        return playHat(note, pan, out);
    case Instrument::OpenHat:
        return playOpenHat(note, pan, out);
    case Instrument::Shaker:
        return playShaker(note, pan, out);
    }
}

struct Buses {
    StereoBuffer dry;
    StereoBuffer reverbSend;
    StereoBuffer echoSend;
};

} // namespace

std::optional<StereoBuffer> renderScore(const Score& score, int passes, double tailSeconds,
                                        std::string& error) {
    const long passSamples = countLoopSamples(score);
    const long total = passSamples * passes + long(tailSeconds * SAMPLE_RATE);
    Buses buses{StereoBuffer(total), StereoBuffer(total), StereoBuffer(total)};
    for (size_t index = 0; index < score.parts.size(); ++index) {
        const Part& part = score.parts[index];
        std::optional<std::vector<NoteEvent>> notes = readPattern(part, score, index, error);
        if (!notes) {
            error = "part " + std::to_string(index + 1) + ": " + error;
            return std::nullopt;
        }
        StereoBuffer played(total);
        for (int pass = 0; pass < passes; ++pass) {
            for (NoteEvent note : *notes) {
                note.startSample += pass * passSamples;
                playInstrument(part.instrument, note, part.pan, played);
            }
        }
        mixScaled(played, part.volume, buses.dry);
        mixScaled(played, part.volume * part.reverbSend, buses.reverbSend);
        mixScaled(played, part.volume * part.delaySend, buses.echoSend);
    }
    // The echo feeds the reverb too, so repeats sit in the same room as the notes.
    const StereoBuffer echo = renderEcho(buses.echoSend, score.effects, score.samplesPerBeat);
    mixScaled(echo, 0.5f, buses.reverbSend);
    mixScaled(echo, 1.0f, buses.dry);
    mixScaled(renderReverb(buses.reverbSend, score.effects), 1.0f, buses.dry);
    removeOffset(buses.dry);
    return std::move(buses.dry);
}

std::optional<StereoBuffer> renderLoop(const Score& score, std::string& error) {
    std::optional<StereoBuffer> twice = renderScore(score, 2, 0.0, error);
    if (!twice)
        return std::nullopt;
    const long loop = countLoopSamples(score);
    return copyRange(*twice, loop, loop);
}
