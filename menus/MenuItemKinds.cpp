#include "menus/MenuItemKinds.h"

#include "base/KeyCodes.h"
#include "render/MenuPainter.h"
#include "render/TextLayout.h"

#include <sstream>

namespace menuitems {

namespace {

// The advance past a word and the one empty cell that separates it from the next.
float measureWordStep(const std::string& word) {
    return (static_cast<float>(word.size()) + 1.0f) * TEXT_ADVANCE;
}

} // namespace

bool BoolGetter::handleKey(int key) {
    if (key == KEY_RIGHT || key == KEY_LEFT)
        value = !value;
    return true;
}

void BoolGetter::draw(MenuPainter& painter) {
    painter.saveOrigin();
    for (bool word : {true, false}) {
        const std::string text = word ? "yes" : "no";
        if (word == value)
            painter.drawHighlightedWord(text);
        else
            painter.drawWord(text);
        painter.moveBy(measureWordStep(text), 0.0f);
    }
    painter.restoreOrigin();
}

template <typename Number> FloatGetter<Number>::FloatGetter(Number initial) {
    std::ostringstream out;
    out.precision(7);
    out << initial;
    setText(out.str());
}

template <typename Number> void FloatGetter<Number>::setText(const std::string& newText) {
    text = newText;
    hasPoint = text.find('.') != std::string::npos;
}

template <typename Number> bool FloatGetter<Number>::handleKey(int key) {
    if (key == KEY_BACKSPACE) {
        if (!text.empty()) {
            if (text.back() == '.')
                hasPoint = false;
            text.pop_back();
        }
    } else if (isDigitKey(key)) {
        text.push_back(static_cast<char>(key));
    } else if (key == KEY_PERIOD && !hasPoint) {
        text.push_back('.');
        hasPoint = true;
    }
    return true;
}

template <typename Number> void FloatGetter<Number>::draw(MenuPainter& painter) {
    if (!text.empty())
        painter.drawWord(text);
}

bool StringPicker::handleKey(int key) {
    const std::uint32_t count = static_cast<std::uint32_t>(options.size());
    // An empty list has nothing to choose: the index stays at none.
    if (count == 0)
        return true;
    // Stepping on from none (2^32 - 1) wraps to the first option; back from it to the last.
    if (key == KEY_LEFT) {
        index = (index == 0 || index >= count) ? count - 1 : index - 1;
    } else if (key == KEY_RIGHT) {
        index = index + 1;
        if (index >= count)
            index = 0;
    }
    return true;
}

void StringPicker::draw(MenuPainter& painter) {
    painter.saveOrigin();
    for (std::size_t i = 0; i < options.size(); ++i) {
        const std::string& option = options[i];
        // A word that would cross the right edge starts a new line under the first.
        if (painter.isBeyondRightEdge(static_cast<float>(option.size()) * TEXT_ADVANCE)) {
            painter.restoreOrigin();
            painter.moveBy(0.0f, -TEXT_LINE_PITCH);
            painter.saveOrigin();
        }
        if (i == index)
            painter.drawHighlightedWord(option);
        else
            painter.drawWord(option);
        painter.moveBy(measureWordStep(option), 0.0f);
    }
    painter.restoreOrigin();
}

template <typename Number> bool IntGetter<Number>::handleKey(int key) {
    if (key == KEY_BACKSPACE)
        value = static_cast<Number>(value / 10);
    else if (isDigitKey(key))
        value = static_cast<Number>(value * 10u + static_cast<Number>(key - KEY_0));
    return true;
}

template <typename Number> void IntGetter<Number>::draw(MenuPainter& painter) {
    // The typed number as the player typed it; an empty field stands for 0.
    if (value != 0)
        painter.drawWord(std::to_string(value));
}

template class FloatGetter<float>;
template class IntGetter<unsigned int>;

} // namespace menuitems
