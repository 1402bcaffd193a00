// Solid brushes, and the colour that a brush argument stands for.
#include "platform/gdi_objects.h"

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    auto object = std::make_shared<GdiObject>();
    object->type = OBJ_BRUSH;
    object->brush = LOGBRUSH{BS_SOLID, color, 0};
    return (HBRUSH)GdiInsert(object);
}

std::optional<COLORREF> GdiBrushColor(HBRUSH brush) {
    uintptr_t value = (uintptr_t)brush;
    if (value >= 1 && value <= 0xFFFF) {
        // A system colour index plus one, as window classes and WM_CTLCOLOR* answers give.
        HBRUSH system = GetSysColorBrush((int)value - 1);
        if (!system)
            return std::nullopt;
        brush = system;
    }
    GdiObject* object = GdiFind(brush, OBJ_BRUSH);
    if (!object || object->brush.lbStyle != BS_SOLID)
        return std::nullopt;
    return object->brush.lbColor & 0x00FFFFFF; // palette-relative forms paint as plain RGB
}
