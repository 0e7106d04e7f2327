#pragma once
// What a menu item needs to draw its value: segment-font words at a movable origin in the
// current colour and line width. The game paints with OpenGL (render/gl/GlMenuPainter); tests
// record the calls.

#include <string>

class MenuPainter {
public:
    // Draws text left-aligned at the current origin.
    virtual void drawWord(const std::string& text) = 0;
    // Draws text wider and in the menu's highlight colour, then normally over it.
    virtual void drawHighlightedWord(const std::string& text) = 0;
    virtual void moveBy(float x, float y) = 0;
    virtual void saveOrigin() = 0;
    virtual void restoreOrigin() = 0;
    // True when the point x units right of the current origin lies beyond the right edge
    // of the viewport.
    virtual bool isBeyondRightEdge(float x) = 0;

protected:
    ~MenuPainter() = default;
};
