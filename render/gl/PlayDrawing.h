#pragma once
// What play draws over the scene: the clock in the top corners and the result overlay.

#include <string>
#include <vector>

class Renderer;
class Timer;
struct OverlayView;

// Screen-space drawing over the scene: x and y from -1 to 1 across the window, whatever
// projection the scene uses. Nested calls share one saved projection.
void enterOverlayMode();
void leaveOverlayMode();

// The elapsed time (red once past the limit), the limit, and the frame rate while running,
// each on a dark translucent band. Expects: modelview matrix mode. Leaves: depth test and
// writes on, texturing, lighting and blending off.
void drawClock(Timer& timer);

// The scene of renderer, the outcome panel with its items, the best-times panel, the hint
// lines at the bottom and the clock of timer; swaps.
void drawOverlayScreen(Renderer& renderer, Timer& timer, const OverlayView& view,
                       const std::vector<std::string>& hintLines);
