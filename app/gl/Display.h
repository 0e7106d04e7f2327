#pragma once
// The window and its OpenGL context: opening and re-opening the video mode, the fixed GL
// state every drawing relies on, the two projections and the two drawing states.

#include "base/VideoMode.h"

struct StartupSettings;
struct SDL_Surface;

// The surface of the last successful video-mode call.
extern SDL_Surface* screenSurface;
// Full-screen modes in the order the platform reported them; filled once at the first opening.
extern ModeList modeList;

// Starts SDL video and opens the display from "res_x", "res_y" and "fullscreen".
// The only fatal path of the game: no display ends the process with exit code 200.
void setUpDisplay(const StartupSettings& startup);
void openDisplay(int width, int height, bool fullscreen);
// Changes the video mode; the fixed state and lists 2 and 3 are rebuilt, then the restorer
// (if one is set) brings back what a new context would have lost.
void reopenDisplay(int width, int height, bool fullscreen);
void setDisplayRestorer(void (*restore)());

int screenWidth();
int screenHeight();
bool isFullscreen();

void useFlatProjection();
void usePerspectiveProjection();
// Depth test, culling, lighting, perspective, texturing: the state of a frame of play.
void useSceneState();
// Flat projection, no texturing, no depth test, no lighting: the state of every menu.
void useMenuState();
