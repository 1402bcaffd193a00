// Keys by position, and the characters the window manager makes from them.
#include "platform/sdl/sdl_keys.h"

#include "platform/window_internal.h"

#include "platform/winapi.h"

namespace {

constexpr int VkClear = 0x0C;
constexpr int VkOem102 = 0xE2; // the extra key beside the left Shift on ISO keyboards

struct KeyName {
    SDL_Scancode scancode;
    int virtualKey;
};

constexpr KeyName Fixed[] = {
    {SDL_SCANCODE_RETURN, VK_RETURN},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
    {SDL_SCANCODE_BACKSPACE, VK_BACK},
    {SDL_SCANCODE_TAB, VK_TAB},
    {SDL_SCANCODE_SPACE, VK_SPACE},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_5},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
    {SDL_SCANCODE_GRAVE, VK_OEM_3},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
    {SDL_SCANCODE_SLASH, VK_OEM_2},
    {SDL_SCANCODE_NONUSBACKSLASH, VkOem102},
    {SDL_SCANCODE_INSERT, VK_INSERT},
    {SDL_SCANCODE_HOME, VK_HOME},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR},
    {SDL_SCANCODE_DELETE, VK_DELETE},
    {SDL_SCANCODE_END, VK_END},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT},
    {SDL_SCANCODE_RIGHT, VK_RIGHT},
    {SDL_SCANCODE_LEFT, VK_LEFT},
    {SDL_SCANCODE_DOWN, VK_DOWN},
    {SDL_SCANCODE_UP, VK_UP},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT},
    {SDL_SCANCODE_KP_PLUS, VK_ADD},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT},
    {SDL_SCANCODE_LCTRL, VK_CONTROL},
    {SDL_SCANCODE_RCTRL, VK_CONTROL},
    {SDL_SCANCODE_LALT, VK_MENU},
};

// The keypad from 1 to 9, then 0 and the decimal point: with Num Lock, and without.
constexpr int KeypadDigits[] = {VK_NUMPAD1, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD4,
                                VK_NUMPAD5, VK_NUMPAD6, VK_NUMPAD7, VK_NUMPAD8,
                                VK_NUMPAD9, VK_NUMPAD0, VK_DECIMAL};
constexpr int KeypadMoves[] = {VK_END,  VK_DOWN, VK_NEXT,  VK_LEFT,   VkClear,  VK_RIGHT,
                               VK_HOME, VK_UP,   VK_PRIOR, VK_INSERT, VK_DELETE};

} // namespace

int VirtualKeyFor(const SDL_Keysym& key) {
    SDL_Scancode code = key.scancode;
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z)
        return 'A' + (code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9)
        return '1' + (code - SDL_SCANCODE_1);
    if (code == SDL_SCANCODE_0)
        return '0';
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12)
        return VK_F1 + (code - SDL_SCANCODE_F1);
    if (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_PERIOD) {
        int index = code - SDL_SCANCODE_KP_1;
        return (key.mod & KMOD_NUM) ? KeypadDigits[index] : KeypadMoves[index];
    }
    // The right Alt key is Alt on some layouts and AltGr (which selects characters and is
    // no modifier of its own for the program) on others.
    if (code == SDL_SCANCODE_RALT)
        return key.sym == SDLK_RALT ? VK_MENU : 0;
    for (const KeyName& fixed : Fixed) {
        if (fixed.scancode == code)
            return fixed.virtualKey;
    }
    return 0;
}

int CharacterMadeFor(int key, bool shift) {
    // Caps Lock is never passed on, so the window manager takes it to be off.
    return KeyCharacter(key, shift, false, false, false);
}
