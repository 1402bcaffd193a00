// Dialogs from templates: CreateDialogParamA, the dialog font and its base units, and
// MapDialogRect.
#include "platform/dialog_template.h"
#include "platform/window_manager.h"

#include <algorithm>
#include <cstring>

namespace {

// Base units of a font: the average width of the 52 letters, rounded, and the height.
bool MeasureBaseUnits(HFONT font, int* baseX, int* baseY) {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HDC dc = GdiCreateDC(CurrentGdiDevice(), nullptr);
    if (dc == nullptr)
        return false;
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics{};
    SIZE extent{0, 0};
    bool measured = GetTextMetricsA(dc, &metrics) &&
                    GetTextExtentPoint32A(dc, alphabet, (int)strlen(alphabet), &extent);
    if (previous)
        SelectObject(dc, previous);
    GdiDeleteDC(dc);
    if (!measured || metrics.tmHeight <= 0 || extent.cx <= 0)
        return false;
    *baseX = (extent.cx / 26 + 1) / 2;
    *baseY = metrics.tmHeight;
    return *baseX > 0;
}

// The template's font, or nullptr when it names none or it cannot be made.
HFONT MakeDialogFont(const DialogTemplate& dialog) {
    if (!dialog.hasFont)
        return nullptr;
    LOGFONTA font{};
    font.lfHeight = -MulDiv(dialog.pointSize, CurrentDisplay().Metrics().dpi, 72);
    font.lfWeight = dialog.weight;
    font.lfItalic = dialog.italic ? 1 : 0;
    font.lfCharSet = dialog.charSet;
    size_t length = std::min(dialog.typeface.size(), (size_t)LF_FACESIZE - 1);
    memcpy(font.lfFaceName, dialog.typeface.data(), length);
    font.lfFaceName[length] = '\0';
    return CreateFontIndirectA(&font);
}

LPCSTR ClassArgument(const TemplateName& name, bool item) {
    if (name.isOrdinal) {
        if (item) {
            if (const char* predefined = PredefinedClassName(name.ordinal))
                return predefined;
        }
        return MAKEINTRESOURCEA(name.ordinal);
    }
    return name.text.empty() ? nullptr : name.text.c_str();
}

// Where the dialog's window goes: the template's position in dialog units (relative to
// the owner's client area for a top-level dialog with an owner), moved so that the frame
// lies around a client area at that position, then kept on the screen.
POINT DialogPosition(const DialogTemplate& dialog, const RECT& frame, int baseX, int baseY,
                     HWND owner, DWORD style) {
    POINT position{frame.left + MulDiv(dialog.x, baseX, 4), frame.top + MulDiv(dialog.y, baseY, 8)};
    if (style & WS_CHILD)
        return position;
    DisplayMetrics screen = CurrentDisplay().Metrics();
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (style & DS_CENTER) {
        position = POINT{(screen.width - width) / 2, (screen.height - height) / 2};
    } else if (owner) {
        ClientToScreen(owner, &position);
    }
    if (position.x + width > screen.width)
        position.x = screen.width - width;
    if (position.y + height > screen.height)
        position.y = screen.height - height;
    position.x = std::max(position.x, (LONG)0);
    position.y = std::max(position.y, (LONG)0);
    return position;
}

} // namespace

HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& dialog, HWND owner,
                              DLGPROC dialogProc, LPARAM initParam) {
    HFONT font = MakeDialogFont(dialog);
    int baseX = 0, baseY = 0;
    if (!MeasureBaseUnits(font, &baseX, &baseY) && !MeasureBaseUnits(nullptr, &baseX, &baseY)) {
        baseX = MulDiv(8, CurrentDisplay().Metrics().dpi, 96);
        baseY = MulDiv(16, CurrentDisplay().Metrics().dpi, 96);
    }

    DWORD style = dialog.style & ~WS_VISIBLE;
    DWORD exStyle = dialog.exStyle;
    if (style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (!(style & (WS_CHILD | WS_POPUP)))
        style |= WS_CLIPSIBLINGS | WS_CAPTION; // as every overlapped window
    RECT frame{0, 0, MulDiv(dialog.cx, baseX, 4), MulDiv(dialog.cy, baseY, 8)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    POINT position = DialogPosition(dialog, frame, baseX, baseY, owner, style);

    auto info = std::make_unique<DialogInfo>();
    info->baseX = baseX;
    info->baseY = baseY;
    info->font = font;
    Wm().pendingDialog = std::move(info);
    HWND window =
        CreateWindowExA(exStyle, ClassArgument(dialog.windowClass, false), dialog.title.c_str(),
                        style, position.x, position.y, frame.right - frame.left,
                        frame.bottom - frame.top, owner, nullptr, instance, nullptr);
    Wm().pendingDialog.reset();
    if (window == nullptr) {
        if (font)
            DeleteObject(font); // unless the window took it and has already let it go
        return nullptr;
    }
    if (dialogProc && font)
        SendMessageA(window, WM_SETFONT, (WPARAM)font, 0);

    HWND firstTabStop = nullptr;
    for (const DialogItemTemplate& item : dialog.items) {
        if (!IsWindow(window))
            return nullptr;
        DWORD itemStyle = (item.style | WS_CHILD) & ~WS_POPUP;
        DWORD itemExStyle = item.exStyle | WS_EX_NOPARENTNOTIFY;
        if (itemStyle & WS_BORDER) { // a bordered control gets the sunken edge
            itemStyle &= ~WS_BORDER;
            itemExStyle |= WS_EX_CLIENTEDGE;
        }
        LPCSTR title = item.title.isOrdinal ? "" : item.title.text.c_str();
        void* data = item.creationData.empty() ? nullptr : (void*)item.creationData.data();
        HWND control = CreateWindowExA(
            itemExStyle, ClassArgument(item.windowClass, true), title, itemStyle,
            MulDiv(item.x, baseX, 4), MulDiv(item.y, baseY, 8), MulDiv(item.cx, baseX, 4),
            MulDiv(item.cy, baseY, 8), window, (HMENU)(ULONG_PTR)item.id, instance, data);
        if (control == nullptr) {
            if (dialog.style & DS_NOFAILCREATE)
                continue;
            DestroyWindow(window);
            return nullptr;
        }
        if (font)
            SendMessageA(control, WM_SETFONT, (WPARAM)font, 0);
        if (!firstTabStop && (itemStyle & WS_TABSTOP))
            firstTabStop = control;
    }
    if (!IsWindow(window))
        return nullptr;
    if (dialogProc)
        SendMessageA(window, WM_INITDIALOG, (WPARAM)firstTabStop, initParam);
    if ((dialog.style & WS_VISIBLE) && IsWindow(window))
        ShowWindow(window, SW_SHOWNORMAL);
    return IsWindow(window) ? window : nullptr;
}

HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam) {
    HRSRC resource = FindResourceA(instance, templateName, RT_DIALOG);
    if (resource == nullptr)
        return nullptr;
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DialogTemplate dialog;
    if (!data || !ParseDialogTemplate(data, SizeofResource(instance, resource), dialog))
        return nullptr;
    return CreateDialogFromTemplate(instance, dialog, owner, dialogProc, initParam);
}

BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
    int baseX, baseY;
    if (rect == nullptr || !GetDialogBaseUnits(dialog, &baseX, &baseY))
        return FALSE;
    rect->left = MulDiv(rect->left, baseX, 4);
    rect->right = MulDiv(rect->right, baseX, 4);
    rect->top = MulDiv(rect->top, baseY, 8);
    rect->bottom = MulDiv(rect->bottom, baseY, 8);
    return TRUE;
}

BOOL GetDialogBaseUnits(HWND dialog, int* baseX, int* baseY) {
    Window* record = WmFind(dialog);
    if (!record || !record->dialog)
        return FALSE;
    if (baseX)
        *baseX = record->dialog->baseX;
    if (baseY)
        *baseY = record->dialog->baseY;
    return TRUE;
}
