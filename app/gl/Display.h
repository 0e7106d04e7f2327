#pragma once
// The window and its OpenGL context: opening and re-opening the video mode with a viewport
// over the whole window. The drawing state of a new context is set up by its owner.

#include "base/VideoMode.h"

struct SettingValues;
struct SDL_Surface;

// The surface of the last successful video-mode call.
extern SDL_Surface* screenSurface;
// Full-screen modes in the order the platform reported them; filled once at the first opening.
extern ModeList modeList;

// Starts SDL video and opens the display at the window size and full-screen bit read from
// "res_x", "res_y" and "fullscreen" (a size is used only when both are set). A mode the
// display cannot open gives one warning line and a 640x480 window instead. The only fatal
// path of the game: no display at all ends the process with exit code 200.
void setUpDisplay(const SettingValues& values);
// Opens the window and prints its GL attributes; exit code 200 when it cannot. The caller
// then sets the fixed state and compiles lists 2 and 3 before drawing.
void openDisplay(int width, int height, bool fullscreen);
// Changes the video mode, then the restorer (if one is set) brings back what a new context
// would have lost: the fixed state, lists 2 and 3 and whatever else its owner made. A mode
// the display cannot open gives one warning line and the previous mode again.
void reopenDisplay(int width, int height, bool fullscreen);
void setDisplayRestorer(void (*restore)());

int screenWidth();
int screenHeight();
bool isFullscreen();
