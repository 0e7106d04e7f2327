#include "render/gl/MenuDrawing.h"

#include "render/gl/GlMenuPainter.h"
#include "render/gl/GlState.h"
#include "render/gl/MenuBackground.h"
#include "render/gl/MeshLists.h"
#include "render/gl/TextDrawing.h"

#include <SDL.h>
#include <GL/gl.h>

#include <algorithm>

namespace {

constexpr MenuColour MAZE_HIGHLIGHT = {1.0f, 1.0f, 0.0f, 1.0f};
constexpr MenuColour OPTIONS_HIGHLIGHT = {1.0f, 0.0f, 0.0f, 1.0f};

void drawString(const std::string& text, int align) {
    drawText(glyphTable, text.c_str(), align);
}

// Blue letters with a black outline, above and right of the ball.
void drawTitle() {
    glLineWidth(7.0f);
    glColor3f(0.0f, 0.0f, 0.0f);
    drawString("tirva", ALIGN_LEFT);
    glLineWidth(5.0f);
    glColor3f(0.0f, 0.0f, 1.0f);
    drawString("tirva", ALIGN_LEFT);
    glLineWidth(1.0f);
}

// Stretched by the window's aspect ratio, so its outline stays a circle.
// Expects: lighting off. Leaves: lighting off, texturing off (the list turns it off).
void drawTitleBall() {
    expectGlState(__func__, {GlFact::LightingOff});
    expectGlList(__func__, BALL_LIST);
    const ViewportSize size = readViewportSize();
    glTranslatef(-0.6f, 0.5f, 0.0f);
    glScalef(0.5f, 0.5f * static_cast<float>(size.width) / static_cast<float>(size.height), 0.5f);
    useTitleBallLighting();
    glCallList(BALL_LIST);
    leaveTitleBallLighting();
}

// Expects: blending off. Leaves: blending off.
void drawPanel() {
    expectGlState(__func__, {GlFact::BlendingOff});
    glTranslatef(0.0f, -0.05f, 0.0f);
    glScalef(0.15f, 0.15f, 0.15f);
    usePanelBlending();
    glColor4f(0.6f, 0.6f, 0.6f, 0.8f);
    glBegin(GL_QUADS);
    glVertex3f(-4.0f, 1.2f - 7.4f, 0.0f);
    glVertex3f(4.0f, 1.2f - 7.4f, 0.0f);
    glVertex3f(4.0f, 1.2f, 0.0f);
    glVertex3f(-4.0f, 1.2f, 0.0f);
    glEnd();
    leavePanelBlending();
}

void drawMainMenuLines(const std::vector<std::string>& lines, std::uint32_t selected) {
    glColor3f(0.0f, 0.0f, 1.0f);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == selected) {
            glColor3f(0.3f, 0.3f, 1.0f);
            glLineWidth(3.0f);
            drawString(lines[i], ALIGN_CENTRE);
            glColor3f(0.0f, 0.0f, 1.0f);
            glLineWidth(1.0f);
        }
        drawString(lines[i], ALIGN_CENTRE);
        glTranslatef(0.0f, -1.5f, 0.0f);
    }
}

} // namespace

void drawMainMenuFrame(const std::vector<std::string>& lines, std::uint32_t selected) {
    useMenuState();
    // No clear: the background covers the whole window.
    glLoadIdentity();
    drawMenuBackground(menuBackground);
    glPushMatrix();
    glTranslatef(-0.5f, 0.5f, 0.0f);
    glScalef(0.3f, 0.3f, 0.3f);
    drawTitle();
    drawTitleBall();
    glPopMatrix();
    drawPanel();
    drawMainMenuLines(lines, selected);
    SDL_GL_SwapBuffers();
}

void drawListScreenFrame(const std::string& title, const std::vector<std::string>& lines,
                         std::size_t selectedLine) {
    useMenuState();
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT);
    drawMenuBackground(menuBackground);
    glColor3f(1.0f, 1.0f, 0.0f);
    glScalef(0.1f, 0.1f, 0.1f);
    glTranslatef(-8.0f, 8.5f, 0.0f);
    drawString(title, ALIGN_LEFT);
    glColor3f(0.0f, 1.0f, 0.0f);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        glTranslatef(0.0f, -1.2f, 0.0f);
        if (i == selectedLine) {
            glColor3f(0.0f, 1.0f, 1.0f);
            glLineWidth(3.0f);
            drawString(lines[i], ALIGN_LEFT);
            glColor3f(0.0f, 1.0f, 0.0f);
            glLineWidth(1.0f);
        }
        drawString(lines[i], ALIGN_LEFT);
    }
    SDL_GL_SwapBuffers();
}

void drawMazeMenuFrame(const std::vector<std::string>& labels, std::uint32_t selected,
                       const DrawMenuValue& drawValue) {
    useMenuState();
    glLoadIdentity();
    drawMenuBackground(menuBackground);
    glScalef(0.1f, 0.1f, 0.1f);
    glTranslatef(-8.5f, 8.5f, 0.0f);
    glLineWidth(2.0f);
    GlMenuPainter painter(MAZE_HIGHLIGHT);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (i == selected) {
            glColor3f(0.0f, 1.0f, 1.0f);
            glLineWidth(4.0f);
            drawString(labels[i], ALIGN_LEFT);
            glLineWidth(2.0f);
        }
        glColor3f(0.0f, 1.0f, 0.0f);
        drawString(labels[i], ALIGN_LEFT);
        glColor3f(1.0f, 0.0f, 0.0f);
        glTranslatef(6.0f, 0.0f, 0.0f);
        drawValue(i, painter);
        glTranslatef(-6.0f, 0.0f, 0.0f);
        glTranslatef(0.0f, -1.4f, 0.0f);
    }
    SDL_GL_SwapBuffers();
}

void drawOptionsMenuFrame(const std::vector<std::string>& labels, std::uint32_t selected,
                          const DrawMenuValue& drawValue) {
    useMenuState();
    glLoadIdentity();
    drawMenuBackground(menuBackground);
    glTranslatef(-0.6f, 0.85f, 0.0f);
    glScalef(0.05f, 0.05f, 0.05f);
    GlMenuPainter painter(OPTIONS_HIGHLIGHT);
    glPointSize(2.0f);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (i == selected) {
            glColor3f(0.6f, 1.0f, 0.4f);
            glLineWidth(3.0f);
            drawString(labels[i], ALIGN_RIGHT);
            glLineWidth(1.0f);
        }
        glColor3f(0.8f, 1.0f, 0.1f);
        drawString(labels[i], ALIGN_RIGHT);
        glColor3f(0.0f, 0.8f, 0.1f);
        glTranslatef(1.5f, 0.0f, 0.0f);
        drawValue(i, painter);
        glTranslatef(-1.5f, 0.0f, 0.0f);
        glTranslatef(0.0f, -1.4f, 0.0f);
    }
    glPointSize(1.0f);
    SDL_GL_SwapBuffers();
}

void drawCreditsFrame(const std::vector<std::pair<std::string, std::string>>& entries,
                      const std::string& studio, float scroll) {
    useMenuState();
    glLoadIdentity();
    drawMenuBackground(menuBackground);
    glTranslatef(-0.9f, scroll, 0.0f);
    glScalef(0.1f, 0.1f, 0.1f);
    glColor3f(0.0f, 1.0f, 0.0f);
    glLineWidth(3.0f);
    glPointSize(3.0f);
    for (const auto& [name, role] : entries) {
        // A left-aligned text leaves its line feeds in the matrix; come back to its top.
        const int nameLines = drawText(glyphTable, name.c_str(), ALIGN_LEFT);
        glTranslatef(0.0f, static_cast<float>(nameLines) * 1.2f, 0.0f);
        glPushMatrix();
        glTranslatef(10.0f, 0.0f, 0.0f);
        glColor3f(1.0f, 0.0f, 0.0f);
        const int roleLines = drawText(glyphTable, role.c_str(), ALIGN_LEFT);
        glColor3f(0.0f, 1.0f, 0.0f);
        glPopMatrix();
        glTranslatef(0.0f, -2.0f - 1.5f * static_cast<float>(std::max(nameLines, roleLines)), 0.0f);
    }
    glTranslatef(3.0f, -2.0f, 0.0f);
    glColor3f(1.0f, 0.0f, 1.0f);
    drawString(studio, ALIGN_LEFT);
    SDL_GL_SwapBuffers();
}
