// The game's three pieces of music.
#pragma once

#include "Score.h"

// The opening of the menu music, played once. Its last bar is the menu loop's last bar, so it
// hands over to the loop's first bar as the loop hands over to itself.
Score composeMenuIntro();

// The menu music proper, in A minor at 90 beats a minute, looped without end: calm, playful and
// a little mysterious.
Score composeMenuLoop();

// The music while a board is played, in E minor at 105 beats a minute, looped without end: it
// moves steadily on without hurrying the player.
Score composeGame();
