#include "render/gl/MenuFrames.h"

#include "render/Palette.h"
#include "render/gl/GlMenuPainter.h"
#include "render/gl/GlState.h"
#include "render/gl/HintDrawing.h"
#include "render/gl/MenuBackground.h"
#include "render/gl/MenuBands.h"
#include "render/gl/MeshLists.h"
#include "render/gl/RectangleDrawing.h"
#include "render/gl/TextDrawing.h"

#include <SDL.h>
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

// A note's size against the lines of its screen, and how far under the maze menu's last item
// it stands.
constexpr float NOTE_SCALE = 0.7f;
constexpr float MAZE_NOTE_DROP = 0.5f;
constexpr float MAZE_NOTE_RIGHT = 18.0f; // nine tenths of the window's width, as in the lists

void drawString(const std::string& text, int align) {
    drawText(glyphTable, text.c_str(), align);
}

// Makes the origin of the text the origin of the matrix, with its glyphs scale high.
void moveTo(float x, float baseline, float scale) {
    glLoadIdentity();
    glTranslatef(x, baseline, 0.0f);
    glScalef(scale, scale, scale);
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

// From the top of the first line down past the last, as wide as the lines' areas.
// Expects: blending off. Leaves: blending off.
void drawPanel() {
    expectGlState(__func__, {GlFact::BlendingOff});
    moveTo(0.0f, MAIN_FIRST_BASELINE, MAIN_LINE_SCALE);
    usePanelBlending();
    useColour(MAIN_PANEL_COLOUR);
    fillRectangle(-MAIN_PANEL_HALF_WIDTH, 1.2f - 7.4f, MAIN_PANEL_HALF_WIDTH, 1.2f);
    leavePanelBlending();
}

void drawMainMenuLines(const std::vector<std::string>& lines, std::uint32_t selected) {
    useColour(MAIN_LINE_COLOUR);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const MenuLine place = placeMainMenuLine(i);
        moveTo(place.x, place.baseline, place.scale);
        if (i == selected) {
            useColour(MAIN_SELECTED_COLOUR);
            glLineWidth(3.0f);
            drawString(lines[i], ALIGN_CENTRE);
            useColour(MAIN_LINE_COLOUR);
            glLineWidth(1.0f);
        }
        drawString(lines[i], ALIGN_CENTRE);
    }
}

// News the player must not miss, in white on a dark strip at the bottom of the window, as
// play's hints stand. The menu state is selected again by the next frame.
void drawNotice(const std::string& notice) {
    if (!notice.empty())
        drawHintLines({notice});
}

// A word to the player below what a screen offers, smaller than its lines, and smaller still
// where it would reach past right (in the lines' glyph heights).
void drawNote(const std::string& note, float x, float baseline, float lineScale, float right) {
    const float scale = std::min(NOTE_SCALE, fitTextScale(note, ALIGN_LEFT, 0.0f, 0.0f, right));
    moveTo(x, baseline, lineScale);
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

// How an item menu draws its rows: where its labels align, its colours and its strokes.
struct ItemMenuLook {
    int labelAlign;
    struct {
        Colour label;
        Colour selected; // drawn wide under the selected label
        Colour value;
        Colour highlight; // the chosen word of a value
    } colours;
    struct {
        float line;
        float selectedLine;
        float point;
    } widths;
};

constexpr ItemMenuLook MAZE_MENU_LOOK = {
    ALIGN_LEFT,
    {MAZE_LABEL_COLOUR, MAZE_SELECTED_COLOUR, MAZE_VALUE_COLOUR, MAZE_HIGHLIGHT_COLOUR},
    {2.0f, 4.0f, 1.0f}};
constexpr ItemMenuLook OPTIONS_MENU_LOOK = {
    ALIGN_RIGHT,
    {OPTIONS_LABEL_COLOUR, OPTIONS_SELECTED_COLOUR, OPTIONS_VALUE_COLOUR, OPTIONS_HIGHLIGHT_COLOUR},
    {1.0f, 3.0f, 2.0f}};

// Each row's label where layout puts it, the selected one over a wide stroke, and its value.
// Leaves: the look's line width, which a note under the rows keeps; point size 1.
void drawItemRows(const ItemMenuLayout& layout, const std::vector<std::string>& labels,
                  std::uint32_t selected, const DrawMenuValue& drawValue,
                  const ItemMenuLook& look) {
    glLineWidth(look.widths.line);
    glPointSize(look.widths.point);
    GlMenuPainter painter(look.colours.highlight);
    for (std::size_t i = 0; i < labels.size() && i < layout.rows.size(); ++i) {
        const ItemRow& row = layout.rows[i];
        moveTo(row.label.x, row.label.baseline, row.label.scale);
        if (i == selected) {
            useColour(look.colours.selected);
            glLineWidth(look.widths.selectedLine);
            drawString(labels[i], look.labelAlign);
            glLineWidth(look.widths.line);
        }
        useColour(look.colours.label);
        drawString(labels[i], look.labelAlign);
        useColour(look.colours.value);
        moveTo(row.valueX, row.label.baseline, row.label.scale);
        drawValue(i, painter);
    }
    glPointSize(1.0f);
}

// The lowest baseline of an item menu's texts: its last row's, or the note's under it.
float findItemMenuBottom(const ItemMenuLayout& layout, float noteBaseline, bool hasNote) {
    if (hasNote || layout.rows.empty())
        return noteBaseline;
    return layout.endBaseline + ITEM_ROW_PITCH * layout.rows.back().label.scale;
}

} // namespace

void drawMainMenuFrame(const std::vector<std::string>& lines, std::uint32_t selected,
                       const std::string& keys) {
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
    drawCornerKeyLine(keys, MAIN_MENU_KEY_ROOM, true);
    SDL_GL_SwapBuffers();
}

void drawListScreenFrame(const std::string& title, const std::vector<std::string>& lines,
                         const std::vector<std::string>& marks, std::size_t selectedLine,
                         const std::string& note, const std::string& keys,
                         const std::string& notice) {
    useMenuState();
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT);
    drawMenuBackground(menuBackground);
    drawBand(surroundList(lines.size() + (note.empty() ? 0 : 1)));
    const MenuLine titlePlace = placeListTitle();
    moveTo(titlePlace.x, titlePlace.baseline, titlePlace.scale);
    useColour(LIST_TITLE_COLOUR);
    drawString(title, ALIGN_LEFT);
    useColour(LIST_LINE_COLOUR);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const MenuLine place = placeListLine(i);
        moveTo(place.x, place.baseline, place.scale);
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
    const MenuLine notePlace = placeListLine(lines.size());
    drawNote(note, notePlace.x, notePlace.baseline, notePlace.scale, LIST_MARK_RIGHT);
    drawCornerKeyLine(keys, LIST_KEY_ROOM, false);
    drawNotice(notice);
    SDL_GL_SwapBuffers();
}

void drawMazeMenuFrame(const ItemMenuLayout& layout, const std::vector<std::string>& labels,
                       std::uint32_t selected, const DrawMenuValue& drawValue,
                       const std::string& note, const std::string& keys) {
    useMenuState();
    glLoadIdentity();
    drawMenuBackground(menuBackground);
    const float noteBaseline = layout.endBaseline - MAZE_NOTE_DROP * MAZE_MENU_SHAPE.scale;
    drawBand(surroundItemMenu(layout, findItemMenuBottom(layout, noteBaseline, !note.empty())));
    drawItemRows(layout, labels, selected, drawValue, MAZE_MENU_LOOK);
    drawNote(note, MAZE_MENU_SHAPE.labelX, noteBaseline, MAZE_MENU_SHAPE.scale, MAZE_NOTE_RIGHT);
    drawBottomKeyLines("", keys);
    SDL_GL_SwapBuffers();
}

void drawOptionsMenuFrame(const ItemMenuLayout& layout, const std::vector<std::string>& labels,
                          std::uint32_t selected, const DrawMenuValue& drawValue,
                          const std::string& description, const std::string& keys) {
    useMenuState();
    glLoadIdentity();
    drawMenuBackground(menuBackground);
    drawBand(surroundItemMenu(layout, findItemMenuBottom(layout, 0.0f, false)));
    drawItemRows(layout, labels, selected, drawValue, OPTIONS_MENU_LOOK);
    drawBottomKeyLines(description, keys);
    SDL_GL_SwapBuffers();
}

void drawCreditsFrame(const std::vector<std::pair<std::string, std::string>>& entries,
                      const std::string& studio, float scroll, const std::string& keys,
                      const std::string& notice) {
    useMenuState();
    glLoadIdentity();
    drawMenuBackground(menuBackground);
    float textDrop = CREDITS_STUDIO_DROP;
    for (const auto& [name, role] : entries)
        textDrop +=
            findCreditsEntryDrop(static_cast<int>(std::count(name.begin(), name.end(), '\n')),
                                 static_cast<int>(std::count(role.begin(), role.end(), '\n')));
    const ViewportSize size = readViewportSize();
    const float stripTop = findBottomKeyStripTop(notice, keys);
    useClipAbove(static_cast<int>(std::ceil((stripTop + 1) / 2 * static_cast<float>(size.height))));
    drawBand(surroundCredits(scroll, textDrop));
    moveTo(CREDITS_LEFT, scroll, CREDITS_SCALE);
    useColour(CREDITS_NAME_COLOUR);
    glLineWidth(3.0f);
    glPointSize(3.0f);
    for (const auto& [name, role] : entries) {
        // A left-aligned text leaves its line feeds in the matrix; come back to its top.
        const int nameLines = drawText(glyphTable, name.c_str(), ALIGN_LEFT);
        glTranslatef(0.0f, static_cast<float>(nameLines) * TEXT_LINE_PITCH, 0.0f);
        glPushMatrix();
        glTranslatef(CREDITS_ROLE_OFFSET, 0.0f, 0.0f);
        useColour(CREDITS_ROLE_COLOUR);
        const int roleLines = drawText(glyphTable, role.c_str(), ALIGN_LEFT);
        useColour(CREDITS_NAME_COLOUR);
        glPopMatrix();
        glTranslatef(0.0f, -findCreditsEntryDrop(nameLines, roleLines), 0.0f);
    }
    glTranslatef(CREDITS_STUDIO_INDENT, -CREDITS_STUDIO_DROP, 0.0f);
    useColour(CREDITS_STUDIO_COLOUR);
    drawString(studio, ALIGN_LEFT);
    leaveClip();
    drawBottomKeyLines(notice, keys);
    SDL_GL_SwapBuffers();
}
