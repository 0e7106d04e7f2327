#pragma once
// The two views of play: the whole board from a fixed camera over its centre, or the
// follow view with the camera over the ball.

class Board;

// True for the whole-board view: asked for, and not forbidden by the board.
bool showsWholeBoard(bool topview, const Board& board);
// How far from the floor the whole-board camera stands so the board fills the screen's
// width or height, whichever it reaches first, with a 45-degree vertical field of view.
float wholeBoardDistance(int boardWidth, int boardHeight, int screenWidth, int screenHeight);
