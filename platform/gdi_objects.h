// Inside GDI: the table of objects behind the handles, shared by the gdi_*.cpp and
// font_*.cpp files.
#pragma once

#include "platform/gdi_internal.h"

#include <memory>
#include <vector>

struct GdiObject;
using GdiRef = std::shared_ptr<GdiObject>;

// What a device context draws with; SaveDC keeps copies of it.
struct DcState {
    GdiRef font, brush, pen; // selected objects: they stay alive while any state holds them
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int graphicsMode = GM_COMPATIBLE;
    POINT viewportOrg{0, 0};
    POINT windowOrg{0, 0};
    XFORM world{1, 0, 0, 1, 0, 0};
    POINT position{0, 0}; // where LineTo starts, in logical units
    bool clipped = false; // IntersectClipRect: drawing stays inside clip (device pixels)
    RECT clip{0, 0, 0, 0};
};

struct GdiDc {
    GdiDevice device{};
    HWND window = nullptr;
    bool limited = false; // BeginPaint: drawing stays inside limit (device pixels) for good
    RECT limit{0, 0, 0, 0};
    DcState state;
    std::vector<DcState> saved; // saved[0] is level 1
};

struct GdiObject {
    HGDIOBJ handle = nullptr;
    DWORD type = 0;     // OBJ_BRUSH, OBJ_PEN, OBJ_FONT or OBJ_DC
    bool stock = false; // stock and system-colour objects: DeleteObject leaves them
    LOGBRUSH brush{};
    LOGPEN pen{};
    LOGFONTA font{};
    const FontInstance* instance = nullptr; // font: realised on first use
    bool realised = false;
    std::unique_ptr<GdiDc> dc;
};

// Gives object a new handle, never given before in this run, and enters it in the table.
// NULL (and nothing entered) once the handles are used up.
HGDIOBJ GdiInsert(GdiRef object);
// The live object behind a handle, of the given type (0: any); NULL when there is none.
GdiObject* GdiFind(HGDIOBJ handle, DWORD type = 0);
GdiRef GdiFindRef(HGDIOBJ handle, DWORD type = 0);
// Takes a handle out of the table; its object lives on while a DC state still holds it.
void GdiErase(HGDIOBJ handle);
// How many DC states (current and saved ones, of every DC) hold an object that is in the
// table, given a reference that the caller got from GdiFindRef.
long GdiSelectionCount(const GdiRef& object);

// The device context behind a handle, or NULL.
GdiDc* GdiFindDc(HDC dc);

// The stock object of an index (as GetStockObject), made on first use.
GdiRef GdiStock(int index);

// The font instance of a font object, realised on first use.
const FontInstance* GdiRealise(GdiObject& font);
