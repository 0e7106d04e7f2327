#pragma once
// One frame of each screen outside play, drawn over the menu background and shown. Menus
// draw in normalised device coordinates: x and y from -1 to 1 across the window; every text
// stands where render/MenuLayout places it, the numbers the pointer uses too.
// Each selects the menu drawing state (flat projection, no depth test, no lighting, no
// texturing) itself, so that a new video mode or a board played since the last frame needs
// nothing first, and leaves it. Each expects blending off.
// Texts that stand on the background have a dark band behind them; each screen names its
// keys on one line (MenuBands.h).

#include "render/MenuLayout.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class MenuPainter;

// Draws the value of line index from the painter's current origin.
using DrawMenuValue = std::function<void(std::size_t index, MenuPainter& painter)>;

// The menu background into the back buffer, not shown, and a wait until it is drawn: the
// software renderer lets go of what the frames before it held (a left board's textures)
// only when it draws with other state.
void drawBackgroundAndWait();

// The title "tirva" with the ball, the lines on a grey panel, the keys in the top right
// corner.
void drawMainMenuFrame(const std::vector<std::string>& lines, std::uint32_t selected,
                       const std::string& keys);

// The title with the keys beside it, then lines from the first one shown, each with its mark
// (if any) at the right edge where the line leaves room for it, then the note (if any) under
// them; selectedLine indexes lines and may lie outside them. The notice (if any) stands at
// the bottom of the window, over the lines, where it is seen however long the list.
void drawListScreenFrame(const std::string& title, const std::vector<std::string>& lines,
                         const std::vector<std::string>& marks, std::size_t selectedLine,
                         const std::string& note, const std::string& keys,
                         const std::string& notice);

// Labels on the left and their values in a column to their right as layout places them,
// then the note under them; the keys at the bottom.
void drawMazeMenuFrame(const ItemMenuLayout& layout, const std::vector<std::string>& labels,
                       std::uint32_t selected, const DrawMenuValue& drawValue,
                       const std::string& note, const std::string& keys);
// Labels ending left of the middle of the screen and the values right of them; at the
// bottom what the selected item does, and the keys.
void drawOptionsMenuFrame(const ItemMenuLayout& layout, const std::vector<std::string>& labels,
                          std::uint32_t selected, const DrawMenuValue& drawValue,
                          const std::string& description, const std::string& keys);

// Names with their roles beside them, then the studio line, the first line at scroll; the
// keys that end them at the bottom, with the notice (if any) above them.
// Leaves: line width 1 and point size 3.
void drawCreditsFrame(const std::vector<std::pair<std::string, std::string>>& entries,
                      const std::string& studio, float scroll, const std::string& keys,
                      const std::string& notice);
