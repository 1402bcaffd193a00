// The clipboard, holding text (CF_TEXT) in the display's clipboard.
#include "platform/window_manager.h"

#include <cstring>

namespace {

struct ClipboardState {
    bool open = false;
    HWND owner = nullptr;
    HGLOBAL given = nullptr;   // the block handed to SetClipboardData: the clipboard's now
    HGLOBAL fetched = nullptr; // the block GetClipboardData handed out
};

ClipboardState& Clipboard() {
    static ClipboardState state;
    return state;
}

void Free(HGLOBAL& block) {
    if (block)
        GlobalFree(block);
    block = nullptr;
}

// The text in a global block: up to its first zero, never beyond its size.
std::string TextOf(HGLOBAL block) {
    const char* text = static_cast<const char*>(GlobalLock(block));
    if (text == nullptr)
        return std::string();
    size_t size = GlobalSize(block);
    size_t length = strnlen(text, size);
    std::string result(text, length);
    GlobalUnlock(block);
    return result;
}

} // namespace

BOOL WINAPI OpenClipboard(HWND owner) {
    ClipboardState& clipboard = Clipboard();
    if (clipboard.open || (owner != nullptr && !WmFind(owner)))
        return FALSE;
    clipboard.open = true;
    clipboard.owner = owner;
    return TRUE;
}

BOOL WINAPI CloseClipboard(void) {
    ClipboardState& clipboard = Clipboard();
    if (!clipboard.open)
        return FALSE;
    clipboard.open = false;
    return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
    ClipboardState& clipboard = Clipboard();
    if (!clipboard.open)
        return FALSE;
    CurrentDisplay().SetClipboardText(nullptr);
    Free(clipboard.given);
    Free(clipboard.fetched);
    return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT format, HANDLE data) {
    ClipboardState& clipboard = Clipboard();
    if (!clipboard.open || format != CF_TEXT || data == nullptr || GlobalSize(data) == 0)
        return nullptr;
    std::string text = TextOf(data);
    CurrentDisplay().SetClipboardText(&text);
    if (clipboard.given != data)
        Free(clipboard.given);
    clipboard.given = data;
    return data;
}

HANDLE WINAPI GetClipboardData(UINT format) {
    ClipboardState& clipboard = Clipboard();
    std::string text;
    if (!clipboard.open || format != CF_TEXT || !CurrentDisplay().ClipboardText(text))
        return nullptr;
    Free(clipboard.fetched);
    clipboard.fetched = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    char* block = static_cast<char*>(GlobalLock(clipboard.fetched));
    if (block == nullptr)
        return nullptr;
    memcpy(block, text.c_str(), text.size() + 1);
    GlobalUnlock(clipboard.fetched);
    return clipboard.fetched;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
    std::string text;
    return format == CF_TEXT && CurrentDisplay().ClipboardText(text) ? TRUE : FALSE;
}

void WmResetClipboard() {
    ClipboardState& clipboard = Clipboard();
    Free(clipboard.given);
    Free(clipboard.fetched);
    clipboard = ClipboardState{};
}
