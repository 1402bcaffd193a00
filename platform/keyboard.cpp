// The key state and the translation of keys into characters (a US keyboard layout).
#include "platform/window_manager.h"

#include <cstring>

namespace {

struct KeyStates {
    BYTE taken[256];   // as of the last input message taken from the queue: GetKeyState
    BYTE arrived[256]; // as the display's input arrived
};

KeyStates& Keys() {
    static KeyStates keys{};
    return keys;
}

constexpr BYTE Down = 0x80;
constexpr BYTE Toggled = 0x01;

void Press(BYTE& state) {
    if (!(state & Down))
        state ^= Toggled;
    state |= Down;
}

bool TakenDown(int virtualKey) {
    return (Keys().taken[virtualKey & 0xFF] & Down) != 0;
}

} // namespace

// The character of a key on a US layout; -1 when the key makes none.
int KeyCharacter(int key, bool shift, bool control, bool alt, bool capsLock) {
    if (control && alt)
        return -1;
    if (control) {
        if (key >= 'A' && key <= 'Z')
            return key - 'A' + 1;
        switch (key) {
        case VK_RETURN:
            return 10;
        case VK_BACK:
            return 0x7F;
        case VK_ESCAPE:
        case VK_OEM_4:
            return 27;
        case VK_OEM_5:
            return 28;
        case VK_OEM_6:
            return 29;
        case VK_SPACE:
            return ' ';
        case '6':
            return shift ? 30 : -1;
        case VK_OEM_MINUS:
            return shift ? 31 : -1;
        default:
            return -1;
        }
    }
    switch (key) {
    case VK_TAB:
        return 9;
    case VK_RETURN:
        return 13;
    case VK_BACK:
        return 8;
    case VK_ESCAPE:
        return 27;
    case VK_SPACE:
        return ' ';
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DECIMAL:
        return '.';
    case VK_DIVIDE:
        return '/';
    default:
        break;
    }
    if (key >= 'A' && key <= 'Z')
        return shift != capsLock ? key : key - 'A' + 'a';
    if (key >= '0' && key <= '9')
        return shift ? ")!@#$%^&*("[key - '0'] : key;
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return '0' + key - VK_NUMPAD0;
    static const struct {
        int key;
        char plain, shifted;
    } punctuation[] = {
        {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
        {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
        {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
        {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
    };
    for (const auto& entry : punctuation) {
        if (entry.key == key)
            return shift ? entry.shifted : entry.plain;
    }
    return -1;
}

void WmTakeInputMessage(const MSG& message) {
    BYTE* taken = Keys().taken;
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Press(taken[message.wParam & 0xFF]);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        taken[message.wParam & 0xFF] &= (BYTE)~Down;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press(taken[VK_LBUTTON]);
        break;
    case WM_LBUTTONUP:
        taken[VK_LBUTTON] &= (BYTE)~Down;
        break;
    case WM_RBUTTONDOWN:
        Press(taken[VK_RBUTTON]);
        break;
    case WM_RBUTTONUP:
        taken[VK_RBUTTON] &= (BYTE)~Down;
        break;
    case WM_MBUTTONDOWN:
        Press(taken[VK_MBUTTON]);
        break;
    case WM_MBUTTONUP:
        taken[VK_MBUTTON] &= (BYTE)~Down;
        break;
    default:
        break;
    }
}

bool WmKeyDownNow(int virtualKey) {
    return (Keys().arrived[virtualKey & 0xFF] & Down) != 0;
}

void WmSetPhysicalKey(int virtualKey, bool down) {
    BYTE& state = Keys().arrived[virtualKey & 0xFF];
    if (down)
        Press(state);
    else
        state &= (BYTE)~Down;
}

void WmClearKeyStates() {
    memset(&Keys(), 0, sizeof(KeyStates));
}

SHORT WINAPI GetKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255)
        return 0;
    BYTE state = Keys().taken[virtualKey];
    return (SHORT)(((state & Down) ? 0xFF80 : 0) | (state & Toggled));
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (msg == nullptr)
        return FALSE;
    bool system;
    switch (msg->message) {
    case WM_KEYDOWN:
        system = false;
        break;
    case WM_SYSKEYDOWN:
        system = true;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return TRUE;
    default:
        return FALSE;
    }
    int character =
        KeyCharacter((int)(msg->wParam & 0xFF), TakenDown(VK_SHIFT), TakenDown(VK_CONTROL),
                     TakenDown(VK_MENU), (Keys().taken[VK_CAPITAL] & Toggled) != 0);
    // The character is posted: it arrives after the key message has been dispatched.
    if (character >= 0)
        PostMessageA(msg->hwnd, system ? WM_SYSCHAR : WM_CHAR, (WPARAM)character, msg->lParam);
    return TRUE;
}
