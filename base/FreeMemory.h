#pragma once
// Gives memory the program has freed back to the system where the C library would keep it
// for later use: after a big board is left, the game should shrink to what it was in the menu.

// Large blocks get a mapping of their own, which goes back to the system the moment it is
// freed, whoever frees it and whenever. Called once at start-up.
void keepLargeBlocksApart();
// Gives back the free pages among the small blocks.
void returnFreedMemory();
