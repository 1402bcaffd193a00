// Pens: CreatePen. Every pen draws one pixel wide; a dashed or dotted style draws solid.
#include "platform/gdi_objects.h"

namespace {

constexpr int kLastPenStyle = 6; // PS_INSIDEFRAME

} // namespace

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    // A pen that draws nothing is the stock one.
    if (style == PS_NULL)
        return (HPEN)GetStockObject(NULL_PEN);
    if (style < PS_SOLID || style > kLastPenStyle)
        style = PS_SOLID;
    auto object = std::make_shared<GdiObject>();
    object->type = OBJ_PEN;
    object->pen = LOGPEN{(UINT)style, POINT{width > 0 ? width : 0, 0}, color};
    return (HPEN)GdiInsert(object);
}
