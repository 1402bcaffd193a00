// Device contexts: making and freeing them, their saved states, selected objects and
// device capabilities.
#include "platform/gdi_objects.h"

HDC GdiCreateDC(const GdiDevice& device, HWND window) {
    auto object = std::make_shared<GdiObject>();
    object->type = OBJ_DC;
    object->dc = std::make_unique<GdiDc>();
    object->dc->device = device;
    object->dc->window = window;
    DcState& state = object->dc->state;
    state.font = GdiStock(SYSTEM_FONT);
    state.brush = GdiStock(WHITE_BRUSH);
    state.pen = GdiStock(BLACK_PEN);
    return (HDC)GdiInsert(object);
}

BOOL GdiLimitDC(HDC dc, const RECT& area) {
    GdiDc* found = GdiFindDc(dc);
    if (!found)
        return FALSE;
    found->limited = true;
    found->limit = area;
    return TRUE;
}

HWND GdiWindowOfDC(HDC dc) {
    GdiDc* found = GdiFindDc(dc);
    return found ? found->window : nullptr;
}

BOOL GdiDeleteDC(HDC dc) {
    if (!GdiFindDc(dc))
        return FALSE;
    GdiErase(dc); // the selected objects are released with its states
    return TRUE;
}

BOOL GdiDeviceOfDC(HDC dc, GdiDevice* device) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || !device)
        return FALSE;
    *device = found->device;
    return TRUE;
}

int WINAPI SaveDC(HDC dc) {
    GdiDc* found = GdiFindDc(dc);
    if (!found)
        return 0;
    found->saved.push_back(found->state);
    return (int)found->saved.size();
}

BOOL WINAPI RestoreDC(HDC dc, int savedDC) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || savedDC == 0)
        return FALSE;
    long long levels = (long long)found->saved.size();
    // A negative number counts back from the latest save: -1 is the latest.
    long long level = savedDC > 0 ? savedDC : levels + 1 + savedDC;
    if (level < 1 || level > levels)
        return FALSE;
    found->state = found->saved[level - 1];
    found->saved.resize(level - 1);
    return TRUE;
}

namespace {

// Where a DC keeps its selected object of a kind; nullptr for a kind it does not select.
GdiRef* SelectedSlot(GdiDc& dc, UINT type) {
    switch (type) {
    case OBJ_FONT:
        return &dc.state.font;
    case OBJ_BRUSH:
        return &dc.state.brush;
    case OBJ_PEN:
        return &dc.state.pen;
    default:
        return nullptr;
    }
}

} // namespace

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    GdiDc* found = GdiFindDc(dc);
    GdiRef selected = GdiFindRef(object);
    if (!found || !selected)
        return nullptr;
    GdiRef* slot = SelectedSlot(*found, selected->type);
    if (!slot)
        return nullptr;
    HGDIOBJ previous = *slot ? (*slot)->handle : nullptr;
    *slot = std::move(selected);
    return previous;
}

HGDIOBJ WINAPI GetCurrentObject(HDC dc, UINT type) {
    GdiDc* found = GdiFindDc(dc);
    const GdiRef* slot = found ? SelectedSlot(*found, type) : nullptr;
    return slot && *slot ? (*slot)->handle : nullptr;
}

int WINAPI GetDeviceCaps(HDC dc, int index) {
    GdiDc* found = GdiFindDc(dc);
    if (!found)
        return 0;
    const GdiDevice& device = found->device;
    switch (index) {
    case HORZSIZE:
        return device.widthMm;
    case VERTSIZE:
        return device.heightMm;
    case HORZRES:
        return device.width;
    case VERTRES:
        return device.height;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return device.dpi;
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1; // more than 256 colours
    default:
        return 0;
    }
}
