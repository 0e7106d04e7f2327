#pragma once
// The value items of the item menus: a yes/no switch, a decimal number typed as text, a
// choice from a list and a whole number typed digit by digit. Each owner reads the value
// back when it needs it; an item never writes into its owner's settings.

#include "menus/MenuItem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace menuitems {

// Left and Right flip the value; the current word of "yes no" is highlighted.
class BoolGetter : public MenuItem {
public:
    explicit BoolGetter(bool initial) : value(initial) {}

    bool handleKey(int key) override;
    void draw(MenuPainter& painter) override;

    bool value;
};

// A decimal number edited as text: digits, one point, Backspace. The owner converts the
// text when it reads it, so any text (empty, a lone point) is allowed while editing.
template <typename Number> class FloatGetter : public MenuItem {
public:
    // The number as a stream writes it with 7 significant digits: 1.0 reads "1".
    explicit FloatGetter(Number initial);

    bool handleKey(int key) override;
    void draw(MenuPainter& painter) override;
    // Replaces the text, as when the owner puts back the value it kept.
    void setText(const std::string& newText);

    std::string text;
    bool hasPoint = false;
};

// One of a list of texts, chosen with Left and Right (both wrap). Drawn as the whole list,
// wrapped at the viewport's right edge, with the chosen text highlighted.
class StringPicker : public MenuItem {
public:
    // No option chosen: nothing is highlighted, and the first step chooses an end.
    static constexpr std::uint32_t NO_OPTION = 0xFFFFFFFFu;

    StringPicker(std::vector<std::string> initialOptions, std::uint32_t initialIndex)
        : options(std::move(initialOptions)), index(initialIndex) {}

    bool hasChoice() const { return index < options.size(); }

    bool handleKey(int key) override;
    void draw(MenuPainter& painter) override;

    std::vector<std::string> options;
    std::uint32_t index;
};

// A whole number typed digit by digit; Backspace drops the last digit. It wraps silently at
// the type's range, and 0 shows as an empty field.
template <typename Number> class IntGetter : public MenuItem {
public:
    explicit IntGetter(Number initial) : value(initial) {}

    bool handleKey(int key) override;
    void draw(MenuPainter& painter) override;

    Number value;
};

extern template class FloatGetter<float>;
extern template class IntGetter<unsigned int>;

} // namespace menuitems
