#include "render/gl/PlayDrawing.h"

#include "game/Ball.h"
#include "game/PlayLoop.h"
#include "render/gl/GlState.h"
#include "render/gl/Renderer.h"
#include "render/gl/TextDrawing.h"

#include <SDL.h>
#include <GL/gl.h>

#include <cstdio>

namespace {

constexpr float LINE_PITCH = 1.4f; // overlay text lines, in units of one glyph height

int overlayDepth = 0;

void fillPanel(float left, float right, float height) {
    glBegin(GL_QUADS);
    glVertex2f(left, 0.0f);
    glVertex2f(left, -height);
    glVertex2f(right, -height);
    glVertex2f(right, 0.0f);
    glEnd();
}

void drawOutcomeLines(const OverlayView& view) {
    glLineWidth(2.0f);
    glPointSize(2.0f);
    if (view.outcome == Outcome::Completed) {
        std::string time = "in " + formatSeconds(view.elapsedMs);
        glColor4f(0.0f, 0.8f, 0.0f, 0.9f);
        for (const char* text : {"board", "pwned", time.c_str()}) {
            glTranslatef(0.0f, -LINE_PITCH, 0.0f);
            drawText(glyphTable, text, 2);
        }
    } else {
        glColor4f(1.0f, 0.0f, 0.0f, 0.9f);
        for (const char* text : {"board", "failed"}) {
            glTranslatef(0.0f, -LINE_PITCH, 0.0f);
            drawText(glyphTable, text, 2);
        }
    }
    glLineWidth(1.0f);
    glPointSize(1.0f);
}

// The selected item glows under its normal drawing.
void drawItems(const OverlayView& view) {
    for (unsigned i = 0; i < view.items.size(); ++i) {
        glTranslatef(0.0f, -LINE_PITCH, 0.0f);
        if (i == view.selected) {
            glLineWidth(3.0f);
            glColor4f(0.9f, 0.9f, 0.2f, 0.6f);
            drawText(glyphTable, view.items[i].c_str(), 2);
            glLineWidth(1.0f);
        }
        glColor4f(0.9f, 0.9f, 1.0f, 0.9f);
        drawText(glyphTable, view.items[i].c_str(), 2);
    }
}

void drawOutcomePanel(const OverlayView& view) {
    bool isResult = view.outcome != Outcome::Paused;
    int lines = static_cast<int>(view.items.size()) + (isResult ? 2 : 0) +
                (view.outcome == Outcome::Completed ? 1 : 0);
    float boxHeight = lines * LINE_PITCH + 0.7f;
    glPushMatrix();
    glTranslatef(-4.0f, boxHeight * 0.5f, 0.0f);
    glColor4f(0.2f, 0.4f, 1.0f, 0.7f);
    fillPanel(-2.5f, 2.5f, boxHeight);
    if (isResult)
        drawOutcomeLines(view);
    drawItems(view);
    glPopMatrix();
}

void drawTimeRow(const char* text, bool isNew) {
    if (isNew) {
        glLineWidth(4.0f);
        glPointSize(4.0f);
        glColor4f(1.0f, 1.0f, 0.1f, 1.0f);
        drawText(glyphTable, text, 1);
    }
    glLineWidth(2.0f);
    glPointSize(2.0f);
    glColor4f(0.7f, 0.7f, 0.7f, 0.9f);
    drawText(glyphTable, text, 1);
}

void drawBestTimesPanel(const BestTimes::Times& times, int rank) {
    int count = 0;
    while (count < BestTimes::SLOTS && times[count] != BestTimes::EMPTY_SLOT)
        ++count;
    float boxHeight = count * LINE_PITCH + 0.7f;
    glPushMatrix();
    glTranslatef(4.0f, boxHeight * 0.5f, 0.0f);
    glColor4f(0.0f, 0.9f, 0.0f, 0.7f);
    fillPanel(-1.5f, 1.5f, boxHeight);
    glTranslatef(1.8f, 0.0f, 0.0f);
    for (int i = 0; i < count; ++i) {
        glTranslatef(0.0f, -LINE_PITCH, 0.0f);
        drawTimeRow(formatSeconds(times[i]).c_str(), i == rank);
    }
    glLineWidth(1.0f);
    glPointSize(1.0f);
    glPopMatrix();
}

} // namespace

void enterOverlayMode() {
    if (overlayDepth++ > 0)
        return;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

void leaveOverlayMode() {
    if (--overlayDepth > 0)
        return;
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void drawClock(Timer& timer) {
    enterOverlayMode();
    useClockState();
    // Inside the overlay the projection was saved already and the mode is the caller's.
    expectGlState(__func__, {GlFact::ModelViewMatrix});
    glLoadIdentity();
    bool running = timer.stopTick == -1;
    std::int32_t elapsed = readClockForDisplay(timer, timer.now());
    if (timer.target < 0 || elapsed <= timer.target)
        glColor3f(0.0f, 1.0f, 0.0f);
    else
        glColor3f(1.0f, 0.0f, 0.0f);
    glTranslatef(-0.9f, 0.8f, 0.0f);
    glScalef(0.1f, 0.1f, 1.0f);
    drawText(glyphTable, formatSeconds(elapsed).c_str(), 0);
    if (timer.target >= 0) {
        glColor3f(0.9f, 0.0f, 0.6f);
        glTranslatef(0.0f, -1.2f, 0.0f);
        drawText(glyphTable, formatSeconds(timer.target).c_str(), 0);
    }
    if (running) {
        char fps[16];
        std::snprintf(fps, sizeof fps, "%i", timer.fps);
        glLoadIdentity();
        glTranslatef(0.95f, 0.8f, 0.0f);
        glScalef(0.1f, 0.1f, 1.0f);
        glColor3f(1.0f, 0.0f, 1.0f);
        drawText(glyphTable, fps, 1);
    }
    leaveClockState();
    leaveOverlayMode();
}

void drawOverlayScreen(Renderer& renderer, Timer& timer, const OverlayView& view) {
    renderer.drawFrame();
    enterOverlayMode();
    useOverlayState();
    glLoadIdentity();
    glScalef(0.15f, 0.15f, 1.0f);
    drawOutcomePanel(view);
    if (view.bestTimes != nullptr)
        drawBestTimesPanel(*view.bestTimes, view.rank);
    drawClock(timer);
    leaveOverlayState();
    SDL_GL_SwapBuffers();
    leaveOverlayMode();
}
