// The pitched instruments. Each adds one note into a stereo buffer, placed at a pan position;
// the note's length is how long it is held, and each instrument adds its own release after it.
#pragma once

#include "Pattern.h"
#include "StereoBuffer.h"

// A struck wooden bar: a quick, warm knock with a short ring.
void playMallet(const NoteEvent& note, float pan, StereoBuffer& out);

// A struck small metal bar: a clear tone that rings on.
void playCelesta(const NoteEvent& note, float pan, StereoBuffer& out);

// Three slowly drifting, detuned voices spread across the stereo field; swells in and out.
void playPad(const NoteEvent& note, float pan, StereoBuffer& out);

// A round, nearly pure bass that sustains.
void playBass(const NoteEvent& note, float pan, StereoBuffer& out);

// A bass whose brightness snaps shut after the attack, for driving lines.
void playSynthBass(const NoteEvent& note, float pan, StereoBuffer& out);

// A plucked string: bright at the attack, mellowing as it fades.
void playPluck(const NoteEvent& note, float pan, StereoBuffer& out);

// A hollow, breathy lead with vibrato that sets in while a note is held.
void playLead(const NoteEvent& note, float pan, StereoBuffer& out);
