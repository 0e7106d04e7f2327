#pragma once
// The background behind every menu and the credits: a Julia set texture, generated once at
// start-up and kept in memory so a new OpenGL context can be given it again.

#include <cstdint>
#include <vector>

struct MenuBackground {
    unsigned texture = 0;             // OpenGL texture name; 0 before generation
    std::vector<std::uint8_t> pixels; // 512 x 512 red, green, blue bytes, row 0 first
};

// The process-wide background the menus draw.
extern MenuBackground menuBackground;

// Picks a constant with one draw of the C library generator, computes the image and uploads
// it. Needs a current OpenGL context.
void generateMenuBackground(MenuBackground& background);
// Uploads menuBackground's kept image again into its texture name, after a video-mode change
// that may have replaced the context.
void reloadMenuBackground();
// Covers the whole viewport with the background when the projection is the identity.
// Expects: lighting off, matrix mode model-view. Leaves: texturing off, the model-view matrix
// as it was.
void drawMenuBackground(const MenuBackground& background);
