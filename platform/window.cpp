// Windows: handles, creation and destruction, the parent-child tree, window data.
#include "platform/window_manager.h"

#include <algorithm>

namespace {

// Detaches the record from the tree and the tables and frees it.
void FreeWindow(HWND handle) {
    WindowManager& wm = Wm();
    auto found = wm.windows.find(handle);
    if (found == wm.windows.end())
        return;
    std::unique_ptr<Window> record = std::move(found->second);
    wm.windows.erase(found);
    bool topLevel = WmIsTopLevel(*record);
    if (topLevel) {
        std::erase(wm.topLevels, handle);
    } else if (Window* parent = WmFind(record->parent)) {
        std::erase(parent->children, handle);
    }
    record->windowClass->liveWindows--;
    if (wm.focus == handle)
        wm.focus = nullptr;
    if (wm.active == handle)
        wm.active = nullptr;
    if (wm.capture == handle)
        wm.capture = nullptr;
    WmDropMessagesFor(handle);
    if (record->controlDestroy && record->controlData)
        record->controlDestroy(record->controlData);
    if (record->dialog && record->dialog->font)
        DeleteObject(record->dialog->font);
    if (topLevel)
        CurrentDisplay().WindowDestroyed(handle);
}

// WM_DESTROY to the window, then to each child's subtree: parents before children.
void SendDestroy(HWND handle) {
    SendMessageA(handle, WM_DESTROY, 0, 0);
    Window* record = WmFind(handle);
    if (!record)
        return;
    std::vector<HWND> children = record->children;
    for (HWND child : children) {
        Window* childRecord = WmFind(child);
        if (!childRecord || childRecord->destroying)
            continue;
        childRecord->destroying = true;
        SendDestroy(child);
    }
}

// WM_NCDESTROY to each child's subtree, then to the window, which is then freed:
// children before parents.
void SendNcDestroyAndFree(HWND handle) {
    Window* record = WmFind(handle);
    if (!record)
        return;
    std::vector<HWND> children = record->children;
    for (HWND child : children)
        SendNcDestroyAndFree(child);
    if (!WmFind(handle))
        return;
    SendMessageA(handle, WM_NCDESTROY, 0, 0);
    FreeWindow(handle);
}

LPARAM ClientSizeParam(const Window& record) {
    RECT client = WmClientRect(record);
    return MAKELPARAM(client.right, client.bottom);
}

LPARAM ClientPositionParam(const Window& record) {
    POINT origin = WmClientOrigin(record);
    if (Window* parent = WmFind(record.parent)) {
        POINT parentOrigin = WmClientOrigin(*parent);
        origin.x -= parentOrigin.x;
        origin.y -= parentOrigin.y;
    }
    return MAKELPARAM(origin.x, origin.y);
}

} // namespace

WindowManager& Wm() {
    static WindowManager wm;
    return wm;
}

Window* WmFind(HWND window) {
    if (window == nullptr)
        return nullptr;
    auto& windows = Wm().windows;
    auto found = windows.find(window);
    return found == windows.end() ? nullptr : found->second.get();
}

bool WmIsTopLevel(const Window& window) {
    return window.parent == nullptr;
}

HWND WmRoot(HWND window) {
    Window* record = WmFind(window);
    while (record && record->parent) {
        window = record->parent;
        record = WmFind(window);
    }
    return record ? window : nullptr;
}

bool WmIsInTree(HWND ancestor, HWND window) {
    if (ancestor == nullptr)
        return false;
    for (Window* record = WmFind(window); record; record = WmFind(record->parent)) {
        if (record->handle == ancestor)
            return true;
    }
    return false;
}

std::vector<HWND> TopLevelWindows() {
    return Wm().topLevels;
}

std::vector<HWND> ChildWindows(HWND window) {
    Window* record = WmFind(window);
    return record ? record->children : std::vector<HWND>();
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    WindowManager& wm = Wm();
    std::unique_ptr<DialogInfo> dialog = std::move(wm.pendingDialog);
    auto windowClass = WmFindClass(className);
    if (!windowClass)
        return nullptr;
    bool child = (style & WS_CHILD) != 0;
    if (child && !WmFind(parent))
        return nullptr;
    if (!child && parent && !WmFind(parent))
        return nullptr;
    if (!child && !CurrentDisplay().CanShowWindows())
        return nullptr; // nowhere to show a top-level window
    if (!child && !(style & WS_POPUP))
        style |= WS_CLIPSIBLINGS | WS_CAPTION; // an overlapped window always has a caption

    DisplayMetrics screen = CurrentDisplay().Metrics();
    if (x == CW_USEDEFAULT) {
        x = 0;
        y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : screen.width * 3 / 4;
        height = child ? 0 : screen.height * 3 / 4;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);

    auto record = std::make_unique<Window>();
    wm.lastHandle += 4; // handles are never given twice in a run
    HWND handle = reinterpret_cast<HWND>(wm.lastHandle);
    record->handle = handle;
    record->windowClass = windowClass;
    record->parent = child ? parent : nullptr;
    record->owner = child ? nullptr : WmRoot(parent);
    record->style = style & ~WS_VISIBLE; // shown below, once created
    record->exStyle = exStyle;
    record->id = child ? (LONG_PTR)menu : 0;
    record->instance = instance;
    record->procedure = windowClass->procedure;
    record->rect = RECT{x, y, x + width, y + height};
    record->dialog = std::move(dialog);
    windowClass->liveWindows++;
    wm.windows[handle] = std::move(record);
    if (child)
        WmFind(parent)->children.push_back(handle);
    else
        wm.topLevels.insert(wm.topLevels.begin(), handle);

    CREATESTRUCTA create{};
    create.lpCreateParams = param;
    create.hInstance = instance;
    create.hMenu = menu;
    create.hwndParent = parent;
    create.cy = height;
    create.cx = width;
    create.y = y;
    create.x = x;
    create.style = (LONG)style;
    create.lpszName = windowName;
    create.lpszClass = className;
    create.dwExStyle = exStyle;

    if (!SendMessageA(handle, WM_NCCREATE, 0, (LPARAM)&create)) {
        if (WmFind(handle)) {
            SendMessageA(handle, WM_NCDESTROY, 0, 0);
            FreeWindow(handle);
        }
        return nullptr;
    }
    if (!WmFind(handle))
        return nullptr;
    if (SendMessageA(handle, WM_CREATE, 0, (LPARAM)&create) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    Window* created = WmFind(handle);
    if (!created)
        return nullptr;
    WPARAM sizeType = (created->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
    SendMessageA(handle, WM_SIZE, sizeType, ClientSizeParam(*created));
    if ((created = WmFind(handle)) != nullptr)
        SendMessageA(handle, WM_MOVE, 0, ClientPositionParam(*created));
    if (!WmFind(handle))
        return nullptr;
    if (!child)
        CurrentDisplay().WindowMoved(handle, WmFind(handle)->rect);
    if (style & WS_VISIBLE)
        ShowWindow(handle, (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOW);
    return WmFind(handle) ? handle : nullptr;
}

BOOL WINAPI DestroyWindow(HWND window) {
    Window* record = WmFind(window);
    if (!record || record->destroying)
        return FALSE;
    record->destroying = true;

    // Windows it owns go first.
    std::vector<HWND> owned;
    for (HWND top : Wm().topLevels) {
        Window* topRecord = WmFind(top);
        if (topRecord && topRecord->owner == window)
            owned.push_back(top);
    }
    for (HWND top : owned)
        DestroyWindow(top);

    // Let go of the capture, the activation and the focus while the windows still live.
    WmReleaseCaptureIfIn(window);
    if (Wm().active == window)
        WmActivateOther(window);
    if (WmIsInTree(window, Wm().focus))
        WmSetFocusWindow(nullptr);

    if ((record = WmFind(window)) == nullptr)
        return TRUE;
    if (record->style & WS_VISIBLE) {
        record->style &= ~WS_VISIBLE;
        if (WmIsTopLevel(*record)) {
            CurrentDisplay().WindowShown(window, false, (record->style & WS_MINIMIZE) != 0);
        } else {
            RECT area = record->rect;
            WmInvalidate(record->parent, &area, true);
        }
    }
    SendDestroy(window);
    SendNcDestroyAndFree(window);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND window) {
    return WmFind(window) != nullptr;
}

BOOL WINAPI IsChild(HWND parent, HWND window) {
    Window* record = WmFind(window);
    return record && record->parent && WmFind(parent) && WmIsInTree(parent, record->parent);
}

HWND WINAPI GetParent(HWND window) {
    Window* record = WmFind(window);
    if (!record)
        return nullptr;
    if (record->parent)
        return record->parent;
    return (record->style & WS_POPUP) ? record->owner : nullptr;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    Window* record = WmFind(dialog);
    if (!record)
        return nullptr;
    for (HWND child : record->children) {
        Window* childRecord = WmFind(child);
        if (childRecord && (DWORD)childRecord->id == (DWORD)id)
            return child;
    }
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND window) {
    Window* record = WmFind(window);
    return record ? (int)record->id : 0;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageA(item, message, wParam, lParam) : 0;
}

int WINAPI GetWindowTextA(HWND window, LPSTR text, int size) {
    if (text == nullptr || size <= 0)
        return 0;
    text[0] = '\0'; // an empty text even when the window is gone: callers may not check
    if (!WmFind(window))
        return 0;
    return (int)SendMessageA(window, WM_GETTEXT, (WPARAM)size, (LPARAM)text);
}

BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text) {
    if (!WmFind(window))
        return FALSE;
    return SendMessageA(window, WM_SETTEXT, 0, (LPARAM)text) ? TRUE : FALSE;
}

int WINAPI GetWindowTextLengthA(HWND window) {
    if (!WmFind(window))
        return 0;
    return (int)SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
}

namespace {

// The window data at a non-negative offset: room for a 4-byte value at least. Each offset
// keeps a pointer-sized value of its own, so that data laid out for 4-byte values and data
// laid out for pointers both work.
bool ExtraOffsetValid(const Window& record, int index) {
    return index >= 0 && (long)index + 4 <= (long)record.windowClass->windowExtra;
}

} // namespace

LONG_PTR WINAPI GetWindowLongA(HWND window, int index) {
    Window* record = WmFind(window);
    if (!record)
        return 0;
    switch (index) {
    case GWL_WNDPROC:
        return (LONG_PTR)record->procedure;
    case GWL_HINSTANCE:
        return (LONG_PTR)record->instance;
    case GWL_HWNDPARENT:
        return (LONG_PTR)(record->parent ? record->parent : record->owner);
    case GWL_ID:
        return record->id;
    case GWL_STYLE:
        return (LONG_PTR)record->style;
    case GWL_EXSTYLE:
        return (LONG_PTR)record->exStyle;
    case GWL_USERDATA:
        return record->userData;
    default:
        if (!ExtraOffsetValid(*record, index))
            return 0;
        auto found = record->extra.find(index);
        return found == record->extra.end() ? 0 : found->second;
    }
}

LONG_PTR WINAPI SetWindowLongA(HWND window, int index, LONG_PTR value) {
    Window* record = WmFind(window);
    if (!record)
        return 0;
    LONG_PTR previous = 0;
    switch (index) {
    case GWL_WNDPROC:
        if (value == 0)
            return 0; // a window without a procedure could not take any message
        previous = (LONG_PTR)record->procedure;
        record->procedure = (WNDPROC)value;
        return previous;
    case GWL_HINSTANCE:
        previous = (LONG_PTR)record->instance;
        record->instance = (HINSTANCE)value;
        return previous;
    case GWL_ID:
        previous = record->id;
        record->id = value;
        return previous;
    case GWL_STYLE:
        previous = (LONG_PTR)record->style;
        record->style = (DWORD)value;
        return previous;
    case GWL_EXSTYLE:
        previous = (LONG_PTR)record->exStyle;
        record->exStyle = (DWORD)value;
        return previous;
    case GWL_USERDATA:
        previous = record->userData;
        record->userData = value;
        return previous;
    default:
        if (!ExtraOffsetValid(*record, index))
            return 0;
        previous = record->extra[index];
        record->extra[index] = value;
        return previous;
    }
}

LRESULT WINAPI CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    if (procedure == nullptr)
        return 0;
    return procedure(window, message, wParam, lParam);
}

void* GetControlData(HWND window) {
    Window* record = WmFind(window);
    return record ? record->controlData : nullptr;
}

BOOL SetControlData(HWND window, void* data, void (*destroy)(void*)) {
    Window* record = WmFind(window);
    if (!record)
        return FALSE;
    void* old = record->controlData;
    void (*oldDestroy)(void*) = record->controlDestroy;
    record->controlData = data;
    record->controlDestroy = destroy;
    if (old && oldDestroy && old != data)
        oldDestroy(old);
    return TRUE;
}

void WmReset() {
    WindowManager& wm = Wm();
    // Destroying a window may make others; go on until none is left.
    for (int round = 0; round < 100 && !wm.topLevels.empty(); ++round) {
        std::vector<HWND> tops = wm.topLevels;
        for (HWND top : tops)
            DestroyWindow(top);
    }
    // Whatever refused to go (a window whose destruction is under way) is dropped.
    while (!wm.topLevels.empty()) {
        std::vector<HWND> stack{wm.topLevels.front()};
        while (!stack.empty()) {
            Window* record = WmFind(stack.back());
            if (record && !record->children.empty()) {
                HWND child = record->children.front();
                if (WmFind(child))
                    stack.push_back(child);
                else
                    record->children.erase(record->children.begin());
                continue;
            }
            if (record)
                FreeWindow(stack.back());
            else
                std::erase(wm.topLevels, stack.back());
            stack.pop_back();
        }
    }
    wm.focus = wm.active = wm.capture = nullptr;
    wm.pendingDialog.reset();
    WmUnregisterProgramClasses();
    WmClearQueues();
    WmClearInputState();
    WmResetClipboard();
    WmResetWinHelp();
}
