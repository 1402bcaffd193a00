// GDI: device contexts, brushes, fonts, colours and (later) drawing.
#pragma once

#include "platform/win/types.h"

// GetDeviceCaps indices.
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define BITSPIXEL 12
#define PLANES 14
#define NUMCOLORS 24

#define GM_COMPATIBLE 1
#define GM_ADVANCED 2
#define MWT_IDENTITY 1
#define MWT_LEFTMULTIPLY 2
#define MWT_RIGHTMULTIPLY 3
#define MM_TEXT 1
#define TRANSPARENT 1
#define OPAQUE 2
#define CLR_INVALID 0xFFFFFFFF
#define HGDI_ERROR ((HANDLE)(LONG_PTR)-1)

// Stock objects.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17

// Font weights and character sets.
#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define RUSSIAN_CHARSET 204
#define OEM_CHARSET 255

// Pitch and family (LOGFONT lfPitchAndFamily).
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30
#define FF_SCRIPT 0x40
#define FF_DECORATIVE 0x50

// TEXTMETRIC tmPitchAndFamily bits. TMPF_FIXED_PITCH set means a variable-pitch font.
#define TMPF_FIXED_PITCH 0x01
#define TMPF_VECTOR 0x02
#define TMPF_TRUETYPE 0x04
#define TMPF_DEVICE 0x08

// Brush and pen styles.
#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
#define PS_SOLID 0
#define PS_NULL 5

typedef struct tagLOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
} LOGBRUSH, *LPLOGBRUSH;

typedef struct tagLOGPEN {
    UINT lopnStyle;
    POINT lopnWidth;
    COLORREF lopnColor;
} LOGPEN, *LPLOGPEN;

typedef struct tagXFORM {
    FLOAT eM11;
    FLOAT eM12;
    FLOAT eM21;
    FLOAT eM22;
    FLOAT eDx;
    FLOAT eDy;
} XFORM, *LPXFORM;

HDC WINAPI GetDC(HWND window);
int WINAPI ReleaseDC(HWND window, HDC dc);
int WINAPI SaveDC(HDC dc);
BOOL WINAPI RestoreDC(HDC dc, int savedDC);
int WINAPI SetGraphicsMode(HDC dc, int mode);
int WINAPI GetGraphicsMode(HDC dc);
BOOL WINAPI ModifyWorldTransform(HDC dc, const XFORM* xform, DWORD mode);
BOOL WINAPI SetWorldTransform(HDC dc, const XFORM* xform);
BOOL WINAPI GetWorldTransform(HDC dc, LPXFORM xform);
BOOL WINAPI SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous);
BOOL WINAPI SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous);
BOOL WINAPI GetViewportOrgEx(HDC dc, LPPOINT origin);
BOOL WINAPI GetWindowOrgEx(HDC dc, LPPOINT origin);
int WINAPI GetMapMode(HDC dc);
BOOL WINAPI DPtoLP(HDC dc, LPPOINT points, int count);
BOOL WINAPI LPtoDP(HDC dc, LPPOINT points, int count);
int WINAPI GetDeviceCaps(HDC dc, int index);

HBRUSH WINAPI CreateSolidBrush(COLORREF color);
COLORREF WINAPI GetNearestColor(HDC dc, COLORREF color);
HFONT WINAPI CreateFontIndirectA(const LOGFONTA* font);
int WINAPI GetObjectA(HANDLE object, int size, LPVOID buffer);
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ WINAPI GetCurrentObject(HDC dc, UINT type);
HGDIOBJ WINAPI GetStockObject(int index);
BOOL WINAPI DeleteObject(HGDIOBJ object);
DWORD WINAPI GetObjectType(HGDIOBJ object);
BOOL WINAPI GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics);
BOOL WINAPI GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size);

COLORREF WINAPI SetTextColor(HDC dc, COLORREF color);
COLORREF WINAPI GetTextColor(HDC dc);
COLORREF WINAPI SetBkColor(HDC dc, COLORREF color);
COLORREF WINAPI GetBkColor(HDC dc);
int WINAPI SetBkMode(HDC dc, int mode);
int WINAPI GetBkMode(HDC dc);

#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_FONT 6
#define OBJ_BITMAP 7

// Drawing.
#define ETO_OPAQUE 0x0002
#define ETO_CLIPPED 0x0004
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define ERROR 0
BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
BOOL WINAPI ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text,
                        UINT length, const INT* dx);
BOOL WINAPI Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL WINAPI LineTo(HDC dc, int x, int y);
BOOL WINAPI Polygon(HDC dc, const POINT* points, int count);
HPEN WINAPI CreatePen(int style, int width, COLORREF color);
COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF color);
COLORREF WINAPI GetPixel(HDC dc, int x, int y);
int WINAPI IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int WINAPI GetClipBox(HDC dc, LPRECT rect);
