#include "render/gl/MenuBackground.h"

#include "render/JuliaBackground.h"
#include "render/gl/GlState.h"

#include <GL/gl.h>

#include <cstdlib>

MenuBackground menuBackground;

namespace {

void uploadBackground(const MenuBackground& background) {
    glBindTexture(GL_TEXTURE_2D, background.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, BACKGROUND_SIZE, BACKGROUND_SIZE, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, background.pixels.data());
}

} // namespace

void generateMenuBackground(MenuBackground& background) {
    background.pixels = generateBackgroundImage(pickJuliaConstant(std::rand()));
    if (background.texture == 0) {
        GLuint name = 0;
        glGenTextures(1, &name);
        background.texture = name;
    }
    uploadBackground(background);
}

void reloadMenuBackground() {
    if (menuBackground.pixels.empty())
        return;
    uploadBackground(menuBackground);
}

// Row 0 of the image (the bottom of the set, y = -1.2) lands at the bottom of the screen.
void drawMenuBackground(const MenuBackground& background) {
    expectGlState(__func__, {GlFact::LightingOff, GlFact::ModelViewMatrix});
    useBackgroundTexturing(background.texture);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    glPopMatrix();
    leaveBackgroundTexturing();
}
