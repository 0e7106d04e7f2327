#pragma once
// The MenuPainter of the game: draws menu item values with the segment font in the current
// OpenGL matrix, colour and line width, marking highlighted words in the menu's highlight
// colour. MenuFrames makes one for each item menu it draws.

#include "render/MenuPainter.h"
#include "render/Palette.h"

class GlMenuPainter : public MenuPainter {
public:
    // Each item menu has a highlight colour of its own.
    explicit GlMenuPainter(const Colour& highlight) : highlight(highlight) {}

    void drawWord(const std::string& text) override;
    // Expects: the word's colour and line width current. Leaves: both as it found them.
    void drawHighlightedWord(const std::string& text) override;
    void moveBy(float x, float y) override;
    void saveOrigin() override;
    void restoreOrigin() override;
    bool isBeyondRightEdge(float x) override;

private:
    Colour highlight;
};
