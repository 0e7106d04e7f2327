#pragma once
// Playing a board inside the running game: the play loop with the game's ball, renderer,
// tilt input, window and best-times file. The screens that offer boards call these.

#include <string>

class Board;
struct PlayEntry;
class BestTimes;

// Plays entry on the game's window; true when the player asked for the next board.
bool playBoardInGame(PlayEntry& entry, bool nextAllowed);

// The one best-times table of the run, loaded from "times.dat" at start-up.
BestTimes& gameBestTimes();
