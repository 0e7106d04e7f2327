#pragma once
// What the player's input asks the play loop to do between two frames.

enum class PlayCommand {
    None = 0,
    Quit = 1,  // Escape: leave the board at once
    Pause = 2, // Space: the pause overlay
    Reset = 3  // 'r': the board again from its start
};
