#include "render/gl/PlayDrawing.h"

#include "game/Ball.h"
#include "game/PlayLoop.h"
#include "render/OverlayLayout.h"
#include "render/Palette.h"
#include "render/gl/GlState.h"
#include "render/gl/HintDrawing.h"
#include "render/gl/RectangleDrawing.h"
#include "render/gl/Renderer.h"
#include "render/gl/TextDrawing.h"

#include <SDL.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr float OUTCOME_PANEL_X = -4.0f; // panel units from the middle of the screen
constexpr float OUTCOME_HALF_WIDTH = 2.5f;
constexpr float TIMES_PANEL_X = 4.0f;
constexpr float TIMES_HALF_WIDTH = 1.5f;
constexpr float TIMES_ANCHOR = 1.8f; // where the rows end, right of the panel's middle
// An empty best-times panel says so, in two lines.
const std::vector<std::string> NO_TIMES_LABEL = {"best times", "none yet"};
// Under the pause overlay's items: the pause does not stop the clock.
const std::vector<std::string> PAUSE_NOTE = {"clock keeps running"};

int overlayDepth = 0;

// Panel units from the middle of the screen at top, scaled as placed.
void enterPanel(float x, const PanelPlacement& placement) {
    glPushMatrix();
    glTranslatef(x * PANEL_UNIT, placement.top, 0.0f);
    glScalef(PANEL_UNIT * placement.scale, PANEL_UNIT * placement.scale, 1.0f);
}

// Draws text at anchor at scale: the one at which fitTextScale keeps it inside its panel.
void drawFittedText(const std::string& text, int align, float anchor, float scale) {
    glPushMatrix();
    glTranslatef(anchor, 0.0f, 0.0f);
    glScalef(scale, scale, 1.0f);
    drawText(glyphTable, text, align);
    glPopMatrix();
}

void drawCentredLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        glTranslatef(0.0f, -PANEL_LINE_PITCH, 0.0f);
        const float scale =
            fitTextScale(line, ALIGN_CENTRE, 0.0f, -OUTCOME_HALF_WIDTH, OUTCOME_HALF_WIDTH);
        drawFittedText(line, ALIGN_CENTRE, 0.0f, scale);
    }
}

std::vector<std::string> listOutcomeLines(const OverlayView& view) {
    if (view.outcome == Outcome::Completed)
        return {"board", "pwned", "in " + formatSeconds(view.elapsedMs)};
    if (view.outcome == Outcome::Failed)
        return {"board", "failed"};
    return {};
}

// Why a try failed, under "board failed".
std::vector<std::string> listCauseLines(const OverlayView& view) {
    if (view.outcome != Outcome::Failed || view.cause == FailCause::None)
        return {};
    return {describeFailCause(view.cause)};
}

std::vector<std::string> listNoteLines(const OverlayView& view) {
    return view.outcome == Outcome::Paused ? PAUSE_NOTE : std::vector<std::string>{};
}

std::vector<std::string> listPackLines(const OverlayView& view) {
    if (view.packTotalMs < 0)
        return {};
    return {"pack complete", "total " + formatSeconds(view.packTotalMs)};
}

void drawOutcomeLines(const OverlayView& view) {
    glLineWidth(2.0f);
    glPointSize(2.0f);
    if (view.outcome == Outcome::Completed)
        useColour(COMPLETED_TEXT_COLOUR);
    else
        useColour(FAILED_TEXT_COLOUR);
    drawCentredLines(listOutcomeLines(view));
    useColour(CAUSE_TEXT_COLOUR);
    drawCentredLines(listCauseLines(view));
    // The end of a pack, under the board's own result.
    useColour(PACK_TEXT_COLOUR);
    drawCentredLines(listPackLines(view));
    glLineWidth(1.0f);
    glPointSize(1.0f);
}

// The selected item glows under its normal drawing.
void drawItems(const OverlayView& view) {
    for (unsigned i = 0; i < view.items.size(); ++i) {
        const std::string item = describeOverlayItem(view.items[i]);
        const float scale =
            fitTextScale(item, ALIGN_CENTRE, 0.0f, -OUTCOME_HALF_WIDTH, OUTCOME_HALF_WIDTH);
        glTranslatef(0.0f, -PANEL_LINE_PITCH, 0.0f);
        if (i == view.selected) {
            glLineWidth(3.0f);
            useColour(SELECTED_ITEM_GLOW);
            drawFittedText(item, ALIGN_CENTRE, 0.0f, scale);
            glLineWidth(1.0f);
        }
        useColour(ITEM_COLOUR);
        drawFittedText(item, ALIGN_CENTRE, 0.0f, scale);
    }
}

float findOutcomePanelHeight(const OverlayView& view) {
    const std::size_t lines = view.items.size() + listOutcomeLines(view).size() +
                              listCauseLines(view).size() + listPackLines(view).size() +
                              listNoteLines(view).size();
    return static_cast<float>(lines) * PANEL_LINE_PITCH + PANEL_PADDING;
}

void drawOutcomePanel(const OverlayView& view, float ceiling, float floor) {
    const float boxHeight = findOutcomePanelHeight(view);
    enterPanel(OUTCOME_PANEL_X, placePanel(boxHeight, ceiling, floor));
    useColour(OUTCOME_PANEL_COLOUR);
    fillRectangle(-OUTCOME_HALF_WIDTH, -boxHeight, OUTCOME_HALF_WIDTH, 0.0f);
    if (view.outcome != Outcome::Paused)
        drawOutcomeLines(view);
    drawItems(view);
    useColour(NOTE_COLOUR);
    drawCentredLines(listNoteLines(view));
    glPopMatrix();
}

void drawTimeRow(const std::string& text, bool isNew, float scale) {
    if (isNew) {
        glLineWidth(4.0f);
        glPointSize(4.0f);
        useColour(NEW_TIME_GLOW);
        drawFittedText(text, ALIGN_RIGHT, TIMES_ANCHOR, scale);
    }
    glLineWidth(2.0f);
    glPointSize(2.0f);
    useColour(TIME_COLOUR);
    drawFittedText(text, ALIGN_RIGHT, TIMES_ANCHOR, scale);
}

// All rows share the scale of the widest, so the times stay aligned.
void drawTimeRows(const std::vector<std::string>& rows, int rank) {
    float scale = 1.0f;
    for (const std::string& row : rows)
        scale = std::min(scale, fitTextScale(row, ALIGN_RIGHT, TIMES_ANCHOR, -TIMES_HALF_WIDTH,
                                             TIMES_HALF_WIDTH));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        glTranslatef(0.0f, -PANEL_LINE_PITCH, 0.0f);
        drawTimeRow(rows[i], static_cast<int>(i) == rank, scale);
    }
}

// Small enough for the longer line to fit; its lines as close as its size.
float findNoTimesScale() {
    float scale = 1.0f;
    for (const std::string& line : NO_TIMES_LABEL)
        scale = std::min(
            scale, fitTextScale(line, ALIGN_CENTRE, 0.0f, -TIMES_HALF_WIDTH, TIMES_HALF_WIDTH));
    return scale;
}

void drawNoTimesLabel(float scale) {
    glLineWidth(2.0f);
    glPointSize(2.0f);
    useColour(TIME_COLOUR);
    for (const std::string& line : NO_TIMES_LABEL) {
        glTranslatef(0.0f, -PANEL_LINE_PITCH * scale, 0.0f);
        drawFittedText(line, ALIGN_CENTRE, 0.0f, scale);
    }
}

void drawBestTimesPanel(const BestTimes::Times& times, int rank, float floor) {
    std::vector<std::string> rows;
    for (int i = 0; i < BestTimes::SLOTS && times[i] != BestTimes::EMPTY_SLOT; ++i)
        rows.push_back(formatSeconds(times[i]));
    const float labelScale = findNoTimesScale();
    const float lines = rows.empty() ? static_cast<float>(NO_TIMES_LABEL.size()) * labelScale
                                     : static_cast<float>(rows.size());
    const float boxHeight = lines * PANEL_LINE_PITCH + PANEL_PADDING;
    enterPanel(TIMES_PANEL_X, placePanel(boxHeight, 1.0f, floor));
    useColour(TIMES_PANEL_COLOUR);
    fillRectangle(-TIMES_HALF_WIDTH, -boxHeight, TIMES_HALF_WIDTH, 0.0f);
    if (rows.empty())
        drawNoTimesLabel(labelScale);
    else
        drawTimeRows(rows, rank);
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

namespace {

void fillBand(const Band& band) {
    useColour(CLOCK_BAND_COLOUR);
    fillRectangle(band.left, band.bottom, band.right, band.top);
}

// One line of the clock's size at x, y in overlay units.
void drawClockLine(const std::string& text, int align, float x, float y, const Colour& colour) {
    glLoadIdentity();
    glTranslatef(x, y, 0.0f);
    glScalef(CLOCK_SCALE, CLOCK_SCALE, 1.0f);
    useColour(colour);
    drawText(glyphTable, text, align);
}

} // namespace

void drawClock(Timer& timer) {
    enterOverlayMode();
    useClockState();
    // Inside the overlay the projection was saved already and the mode is the caller's.
    expectGlState(__func__, {GlFact::ModelViewMatrix, GlFact::BlendingOn});
    glLoadIdentity();
    bool running = timer.stopTick == -1;
    std::int32_t elapsed = readClockForDisplay(timer, timer.now());
    const std::string elapsedText = formatSeconds(elapsed);
    const std::string limitText = timer.target >= 0 ? formatSeconds(timer.target) : "";
    fillBand(placeClockBand(elapsedText, limitText));
    const bool late = timer.target >= 0 && elapsed > timer.target;
    drawClockLine(elapsedText, ALIGN_LEFT, CLOCK_X, CLOCK_Y,
                  late ? LATE_CLOCK_COLOUR : CLOCK_COLOUR);
    if (!limitText.empty())
        drawClockLine(limitText, ALIGN_LEFT, CLOCK_X, findClockBottom(true), TIME_LIMIT_COLOUR);
    if (running) {
        char fps[16];
        std::snprintf(fps, sizeof fps, "%i", timer.fps);
        glLoadIdentity();
        fillBand(placeFrameRateBand(fps));
        drawClockLine(fps, ALIGN_RIGHT, FRAME_RATE_X, FRAME_RATE_Y, FRAME_RATE_COLOUR);
    }
    leaveClockState();
    leaveOverlayMode();
}

// The panels stand between the clock and the hint lines, whatever their number of lines.
void drawOverlayScreen(Renderer& renderer, Timer& timer, const OverlayView& view,
                       const std::vector<std::string>& hintLines) {
    renderer.drawFrame();
    const ViewportSize size = readViewportSize();
    const float floor = layOutBottomLines(hintLines, size.width, size.height).top;
    enterOverlayMode();
    useOverlayState();
    glLoadIdentity();
    drawOutcomePanel(view, findClockBottom(timer.target >= 0), floor);
    if (view.bestTimes != nullptr)
        drawBestTimesPanel(*view.bestTimes, view.rank, floor);
    drawHintLines(hintLines);
    drawClock(timer);
    leaveOverlayState();
    SDL_GL_SwapBuffers();
    leaveOverlayMode();
}
