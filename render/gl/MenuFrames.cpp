#include "render/gl/MenuFrames.h"

#include "render/Palette.h"
#include "render/gl/GlMenuPainter.h"
#include "render/gl/GlState.h"
#include "render/gl/HintDrawing.h"
#include "render/gl/MenuBackground.h"
#include "render/gl/MeshLists.h"
#include "render/gl/TextDrawing.h"

#include <SDL.h>
#include <GL/gl.h>

#include <algorithm>

namespace {

// Where a list line's mark ends, in the list's glyph heights from the start of the lines: at
// nine tenths of the window's width.
constexpr float LIST_MARK_RIGHT = 17.0f;
// A note's size against the lines of its screen, and how far under the maze menu's last item
// it stands.
constexpr float NOTE_SCALE = 0.7f;
constexpr float MAZE_NOTE_DROP = 0.5f;
constexpr float MAZE_NOTE_RIGHT = 18.0f; // nine tenths of the window's width, as in the lists

void drawString(const std::string& text, int align) {
    drawText(glyphTable, text.c_str(), align);
}

// Blue letters with a black outline, above and right of the ball.
void drawTitle() {
    glLineWidth(7.0f);
    useColour(TITLE_OUTLINE_COLOUR);
    drawString("tirva", ALIGN_LEFT);
    glLineWidth(5.0f);
    useColour(TITLE_COLOUR);
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
    useColour(MAIN_PANEL_COLOUR);
    glBegin(GL_QUADS);
    glVertex3f(-4.0f, 1.2f - 7.4f, 0.0f);
    glVertex3f(4.0f, 1.2f - 7.4f, 0.0f);
    glVertex3f(4.0f, 1.2f, 0.0f);
    glVertex3f(-4.0f, 1.2f, 0.0f);
    glEnd();
    leavePanelBlending();
}

void drawMainMenuLines(const std::vector<std::string>& lines, std::uint32_t selected) {
    useColour(MAIN_LINE_COLOUR);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == selected) {
            useColour(MAIN_SELECTED_COLOUR);
            glLineWidth(3.0f);
            drawString(lines[i], ALIGN_CENTRE);
            useColour(MAIN_LINE_COLOUR);
            glLineWidth(1.0f);
        }
        drawString(lines[i], ALIGN_CENTRE);
        glTranslatef(0.0f, -1.5f, 0.0f);
    }
}

// News the player must not miss, in white on a dark strip at the bottom of the window, as
// play's hints stand. The menu state is selected again by the next frame.
void drawNotice(const std::string& notice) {
    if (!notice.empty())
        drawHintLines({notice});
}

// A word to the player below what a screen offers, smaller than its lines, and smaller still
// where it would reach past right.
void drawNote(const std::string& note, float right) {
    const float scale = std::min(NOTE_SCALE, fitTextScale(note, ALIGN_LEFT, 0.0f, 0.0f, right));
    glScalef(scale, scale, 1.0f);
    useColour(NOTE_COLOUR);
    drawString(note, ALIGN_LEFT);
}

} // namespace

void drawBackgroundAndWait() {
    useMenuState();
    glLoadIdentity();
    drawMenuBackground(menuBackground);
    glFinish();
}

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

namespace {

// A line's text, then its mark at the right edge unless the text reaches too near it: the
// text stays where it is in any case.
void drawListLine(const std::string& line, const std::string& mark) {
    drawString(line, ALIGN_LEFT);
    const float markLeft = LIST_MARK_RIGHT + measureText(mark, ALIGN_RIGHT).left;
    if (mark.empty() || measureText(line, ALIGN_LEFT).right + TEXT_ADVANCE > markLeft)
        return;
    glPushMatrix();
    glTranslatef(LIST_MARK_RIGHT, 0.0f, 0.0f);
    drawString(mark, ALIGN_RIGHT);
    glPopMatrix();
}

} // namespace

void drawListScreenFrame(const std::string& title, const std::vector<std::string>& lines,
                         const std::vector<std::string>& marks, std::size_t selectedLine,
                         const std::string& note, const std::string& notice) {
    useMenuState();
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT);
    drawMenuBackground(menuBackground);
    useColour(LIST_TITLE_COLOUR);
    glScalef(0.1f, 0.1f, 0.1f);
    glTranslatef(-8.0f, 8.5f, 0.0f);
    drawString(title, ALIGN_LEFT);
    useColour(LIST_LINE_COLOUR);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        glTranslatef(0.0f, -1.2f, 0.0f);
        const std::string& mark = i < marks.size() ? marks[i] : std::string();
        if (i == selectedLine) {
            useColour(LIST_SELECTED_COLOUR);
            glLineWidth(3.0f);
            drawListLine(lines[i], mark);
            useColour(LIST_LINE_COLOUR);
            glLineWidth(1.0f);
        }
        drawListLine(lines[i], mark);
    }
    glTranslatef(0.0f, -1.2f, 0.0f);
    drawNote(note, LIST_MARK_RIGHT);
    drawNotice(notice);
    SDL_GL_SwapBuffers();
}

void drawMazeMenuFrame(const std::vector<std::string>& labels, std::uint32_t selected,
                       const DrawMenuValue& drawValue, const std::string& note) {
    useMenuState();
    glLoadIdentity();
    drawMenuBackground(menuBackground);
    glScalef(0.1f, 0.1f, 0.1f);
    glTranslatef(-8.5f, 8.5f, 0.0f);
    glLineWidth(2.0f);
    GlMenuPainter painter(MAZE_HIGHLIGHT_COLOUR);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (i == selected) {
            useColour(MAZE_SELECTED_COLOUR);
            glLineWidth(4.0f);
            drawString(labels[i], ALIGN_LEFT);
            glLineWidth(2.0f);
        }
        useColour(MAZE_LABEL_COLOUR);
        drawString(labels[i], ALIGN_LEFT);
        useColour(MAZE_VALUE_COLOUR);
        glTranslatef(6.0f, 0.0f, 0.0f);
        drawValue(i, painter);
        glTranslatef(-6.0f, 0.0f, 0.0f);
        glTranslatef(0.0f, -1.4f, 0.0f);
    }
    glTranslatef(0.0f, -MAZE_NOTE_DROP, 0.0f);
    drawNote(note, MAZE_NOTE_RIGHT);
    SDL_GL_SwapBuffers();
}

void drawOptionsMenuFrame(const std::vector<std::string>& labels, std::uint32_t selected,
                          const DrawMenuValue& drawValue) {
    useMenuState();
    glLoadIdentity();
    drawMenuBackground(menuBackground);
    glTranslatef(-0.6f, 0.85f, 0.0f);
    glScalef(0.05f, 0.05f, 0.05f);
    GlMenuPainter painter(OPTIONS_HIGHLIGHT_COLOUR);
    glPointSize(2.0f);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (i == selected) {
            useColour(OPTIONS_SELECTED_COLOUR);
            glLineWidth(3.0f);
            drawString(labels[i], ALIGN_RIGHT);
            glLineWidth(1.0f);
        }
        useColour(OPTIONS_LABEL_COLOUR);
        drawString(labels[i], ALIGN_RIGHT);
        useColour(OPTIONS_VALUE_COLOUR);
        glTranslatef(1.5f, 0.0f, 0.0f);
        drawValue(i, painter);
        glTranslatef(-1.5f, 0.0f, 0.0f);
        glTranslatef(0.0f, -1.4f, 0.0f);
    }
    glPointSize(1.0f);
    SDL_GL_SwapBuffers();
}

void drawCreditsFrame(const std::vector<std::pair<std::string, std::string>>& entries,
                      const std::string& studio, float scroll, const std::string& notice) {
    useMenuState();
    glLoadIdentity();
    drawMenuBackground(menuBackground);
    glTranslatef(-0.9f, scroll, 0.0f);
    glScalef(0.1f, 0.1f, 0.1f);
    useColour(CREDITS_NAME_COLOUR);
    glLineWidth(3.0f);
    glPointSize(3.0f);
    for (const auto& [name, role] : entries) {
        // A left-aligned text leaves its line feeds in the matrix; come back to its top.
        const int nameLines = drawText(glyphTable, name.c_str(), ALIGN_LEFT);
        glTranslatef(0.0f, static_cast<float>(nameLines) * 1.2f, 0.0f);
        glPushMatrix();
        glTranslatef(10.0f, 0.0f, 0.0f);
        useColour(CREDITS_ROLE_COLOUR);
        const int roleLines = drawText(glyphTable, role.c_str(), ALIGN_LEFT);
        useColour(CREDITS_NAME_COLOUR);
        glPopMatrix();
        glTranslatef(0.0f, -2.0f - 1.5f * static_cast<float>(std::max(nameLines, roleLines)), 0.0f);
    }
    glTranslatef(3.0f, -2.0f, 0.0f);
    useColour(CREDITS_STUDIO_COLOUR);
    drawString(studio, ALIGN_LEFT);
    drawNotice(notice);
    glLineWidth(3.0f);
    glPointSize(3.0f);
    SDL_GL_SwapBuffers();
}
