#pragma once
// The random maze menu on screen, and playing the mazes its "start" makes.

class Board;
class MazeSetter;
class MenuHost;

// Shows the menu until Escape; "start" plays from inside it.
void runMazeMenu(MazeSetter& menu, MenuHost& host);
// Plays a generated board with the game music; it has no best times.
void playGeneratedMaze(Board& board, MenuHost& host);
