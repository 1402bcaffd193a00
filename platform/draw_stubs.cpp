// Placeholders for the drawing calls until drawing exists: they draw nothing.
#include "platform/winapi.h"

int WINAPI FillRect(HDC, const RECT*, HBRUSH) {
    return 1;
}
int WINAPI FrameRect(HDC, const RECT*, HBRUSH) {
    return 1;
}
BOOL WINAPI DrawEdge(HDC, LPRECT, UINT, UINT) {
    return TRUE;
}
BOOL WINAPI DrawFocusRect(HDC, const RECT*) {
    return TRUE;
}
BOOL WINAPI DrawFrameControl(HDC, LPRECT, UINT, UINT) {
    return TRUE;
}
int WINAPI DrawTextA(HDC, LPCSTR, int, LPRECT, UINT) {
    return 0;
}
BOOL WINAPI CreateCaret(HWND, HBITMAP, int, int) {
    return TRUE;
}
BOOL WINAPI DestroyCaret(void) {
    return TRUE;
}
BOOL WINAPI ShowCaret(HWND) {
    return TRUE;
}
BOOL WINAPI HideCaret(HWND) {
    return TRUE;
}
BOOL WINAPI SetCaretPos(int, int) {
    return TRUE;
}
BOOL WINAPI GetCaretPos(LPPOINT point) {
    if (point)
        *point = POINT{0, 0};
    return TRUE;
}
BOOL WINAPI TextOutA(HDC, int, int, LPCSTR, int) {
    return TRUE;
}
BOOL WINAPI ExtTextOutA(HDC, int, int, UINT, const RECT*, LPCSTR, UINT, const INT*) {
    return TRUE;
}
BOOL WINAPI Rectangle(HDC, int, int, int, int) {
    return TRUE;
}
BOOL WINAPI MoveToEx(HDC, int, int, LPPOINT) {
    return TRUE;
}
BOOL WINAPI LineTo(HDC, int, int) {
    return TRUE;
}
BOOL WINAPI Polygon(HDC, const POINT*, int) {
    return TRUE;
}
HPEN WINAPI CreatePen(int, int, COLORREF) {
    return nullptr;
}
COLORREF WINAPI SetPixel(HDC, int, int, COLORREF) {
    return CLR_INVALID;
}
COLORREF WINAPI GetPixel(HDC, int, int) {
    return CLR_INVALID;
}
int WINAPI IntersectClipRect(HDC, int, int, int, int) {
    return SIMPLEREGION;
}
int WINAPI GetClipBox(HDC, LPRECT rect) {
    if (rect)
        *rect = RECT{0, 0, 0, 0};
    return NULLREGION;
}
