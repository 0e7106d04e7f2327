#pragma once
// The keys of play: what a key pressed during play asks the play loop to do between two
// frames. The overlay's items are OverlayItem (game/PlayLoop.h).

enum class PlayKeyCommand {
    None = 0,
    Quit = 1,  // Escape: leave the board at once
    Pause = 2, // Space: the pause overlay
    Reset = 3  // 'r': the board again from its start
};
