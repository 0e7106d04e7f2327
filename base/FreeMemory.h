#pragma once
// Gives memory the program has freed back to the system where the C library keeps it for
// later use: after a big board is left, the game should shrink to what it was in the menu.

void returnFreedMemory();
