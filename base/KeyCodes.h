#pragma once
// SDL 1.2's key symbols for every key the game reads, in play and in the menus, and its mouse
// button numbers. The printable keys' symbols are their ASCII codes; the arrows lie above 255,
// so they never count as digits.

constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_TAB = 9;
constexpr int KEY_RETURN = 13;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_SPACE = 32;
constexpr int KEY_PERIOD = 46;
constexpr int KEY_0 = 48;
constexpr int KEY_9 = 57;
constexpr int KEY_A = 97;
constexpr int KEY_R = 114;
constexpr int KEY_S = 115;
constexpr int KEY_V = 118;
constexpr int KEY_UP = 273;
constexpr int KEY_DOWN = 274;
constexpr int KEY_RIGHT = 275;
constexpr int KEY_LEFT = 276;

// SDL 1.2 reports the wheel as two more buttons, pressed once per notch.
constexpr int MOUSE_LEFT = 1;
constexpr int MOUSE_MIDDLE = 2;
constexpr int MOUSE_RIGHT = 3;
constexpr int MOUSE_WHEEL_UP = 4;
constexpr int MOUSE_WHEEL_DOWN = 5;

inline bool isDigitKey(int key) {
    return key >= KEY_0 && key <= KEY_9;
}
